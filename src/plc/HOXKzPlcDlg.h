#pragma once
// "RA-ZUZ instruction": the sequence program the companion RA-ZUZ needs to
// set a value through a data register. The sequence itself comes with the
// ladder display; until then the dialog shows its frame with OK and Cancel.
#include "platform/Dialog.h"

#include <cstdint>

class CHOXDoc;

class CHOXKzPlcDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 2036;
    // Forms of the value.
    static constexpr std::int32_t kForm16Bit = 0;

    // The form of the value, the data register that takes it and the
    // document whose settings the sequence uses; the last two are 0 for the
    // program-number register.
    CHOXKzPlcDlg(std::int32_t form, std::int32_t registerNumber, CHOXDoc* doc, std::int32_t, std::int32_t);

    std::int32_t GetForm() const { return m_nForm; }
    std::int32_t GetRegisterNumber() const { return m_nRegister; }
    CHOXDoc* GetDocument() const { return m_pDoc; }

private:
    std::int32_t m_nForm;
    std::int32_t m_nRegister;
    CHOXDoc* m_pDoc;
};
