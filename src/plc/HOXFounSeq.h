#pragma once
// The foundation-sequence settings of a document: the special-unit number of
// the positioning unit on the PLC and, per axis, the first M device of the
// control block the PLC sends and of the status block it reads back.
#include "platform/Object.h"

#include "chart/ControllerType.h"

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
    std::int32_t GetControlDevice(int axis) const { return axis == axis::kX ? m_nControlDeviceX : m_nControlDeviceY; }
    void SetControlDevice(int axis, std::int32_t device);
    std::int32_t GetStatusDevice(int axis) const { return axis == axis::kX ? m_nStatusDeviceX : m_nStatusDeviceY; }
    void SetStatusDevice(int axis, std::int32_t device);
    // The fourth signal of each block.
    std::int32_t GetMcodeOffDevice(int axis) const;
    std::int32_t GetMcodeOnDevice(int axis) const;

    CHOXDoc* GetDocument() const { return m_pDocument; }
    void SetDocument(CHOXDoc* doc) { m_pDocument = doc; }

    // The two pages of the document's settings, from Foundation Sequence 1/2
    // or from 2/2. A page's values are stored as it ends with OK, Next or
    // Back; Next and Back go on to the other page as it was last left, and
    // Cancel ends the run with what is stored so far. New values mark the
    // document modified, as the file holds them.
    void EditFromFirst();
    void EditFromSecond();

private:
    void Edit(bool fromFirst);
    // Stores a value and says whether it changed.
    static bool Store(std::int32_t& field, std::int32_t value);

    std::int32_t m_nUnitNo = -1;
    std::int32_t m_nControlDeviceX = 0;
    std::int32_t m_nControlDeviceY = 0;
    std::int32_t m_nStatusDeviceX = 0;
    std::int32_t m_nStatusDeviceY = 0;
    CHOXDoc* m_pDocument = nullptr; // not owning, not stored
};
