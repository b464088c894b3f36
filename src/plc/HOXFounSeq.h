#pragma once
// The foundation-sequence settings of a document: the special-unit number of
// the positioning unit on the PLC and, per axis, the first M device of the
// control block the PLC sends and of the status block it reads back.
#include "platform/Object.h"

#include <cstdint>

class CHOXDoc;

class CHOXFounSeq : public CObject {
    KT_DECLARE_SERIAL(CHOXFounSeq)
public:
    CHOXFounSeq();
    explicit CHOXFounSeq(CHOXDoc* doc);

    // Unit number, control and status top device of X, then of Y; the
    // document writes it without a class.
    void Serialize(CArchive& ar) override;

    // The unit number has been chosen.
    bool IsSet() const { return m_nUnitNo != -1; }
    // 0 to 7; -1 while not set.
    std::int32_t GetUnitNo() const { return m_nUnitNo; }
    void SetUnitNo(std::int32_t unitNo) { m_nUnitNo = unitNo; }
    // Axis 0 is X, any other Y.
    std::int32_t GetControlDevice(int axis) const { return axis == 0 ? m_nControlDeviceX : m_nControlDeviceY; }
    void SetControlDevice(int axis, std::int32_t device);
    std::int32_t GetStatusDevice(int axis) const { return axis == 0 ? m_nStatusDeviceX : m_nStatusDeviceY; }
    void SetStatusDevice(int axis, std::int32_t device);
    // The fourth signal of each block.
    std::int32_t GetMcodeOffDevice(int axis) const;
    std::int32_t GetMcodeOnDevice(int axis) const;

    CHOXDoc* GetDocument() const { return m_pDocument; }
    void SetDocument(CHOXDoc* doc) { m_pDocument = doc; }

private:
    std::int32_t m_nUnitNo = -1;
    std::int32_t m_nControlDeviceX = 0;
    std::int32_t m_nControlDeviceY = 0;
    std::int32_t m_nStatusDeviceX = 0;
    std::int32_t m_nStatusDeviceY = 0;
    CHOXDoc* m_pDocument = nullptr; // not owning, not stored
};
