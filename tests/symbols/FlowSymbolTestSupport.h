#pragma once
// A document with a flow chart, the subtask chart and the monitor window, for
// the tests of the flow-control symbols.
#include "app/HOXDoc.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXSymbol.h"
#include "online/monitor/HOXMonWnd.h"
#include "platform/Archive.h"
#include "platform/Strings.h"
#include "support/Scripted.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <memory>

namespace kt::test {

class FlowDocTest : public ::testing::Test {
protected:
    // Controller type 1 unless a test says otherwise.
    void SetUp() override { MakeDocument(1); }

    void MakeDocument(int controllerType)
    {
        chart = nullptr;
        subtask = nullptr;
        doc = std::make_unique<CHOXDoc>();
        doc->SetControllerType(controllerType);
        chart = AddChart(QStringLiteral("Flow Chart1"));
        subtask = AddChart(LoadStr(20000));
        monitor = doc->GetMonWnd();
    }

    CHOXFlowWnd* AddChart(const QString& name)
    {
        auto wnd = doc->NewFlowWindow(name, QString());
        CHOXFlowWnd* raw = wnd.get();
        doc->AddWindow(name, std::move(wnd));
        return raw;
    }

    // A symbol made at the point in the window, with a new id, in the map.
    template <class T>
    T* Place(CHOXWnd* wnd, CPoint at = CPoint(100, 50))
    {
        auto symbol = std::make_unique<T>(at, wnd);
        symbol->SetId(static_cast<DWORD>(doc->NewSymbolId()));
        T* raw = symbol.get();
        wnd->AddObject(std::move(symbol));
        return raw;
    }

    void UseAllProgramNumbers(int axis)
    {
        for (int n = 0; n <= 99; ++n) doc->MarkProgramNumberUsed(axis, n);
    }

    int UsedPointerNumbers() const
    {
        int used = 0;
        for (int n = 0; n <= 255; ++n) used += doc->IsPointerNumberUsed(n) ? 1 : 0;
        return used;
    }

    int UsedProgramNumbers(int axis) const
    {
        int used = 0;
        for (int n = 0; n <= 99; ++n) used += doc->IsProgramNumberUsed(axis, n) ? 1 : 0;
        return used;
    }

    TempSettings settings;
    std::unique_ptr<CHOXDoc> doc;
    CHOXFlowWnd* chart = nullptr;
    CHOXFlowWnd* subtask = nullptr;
    CHOXMonWnd* monitor = nullptr;
};

// The object as the archive stores it, with its class.
inline QByteArray StoredBytes(CObject* object)
{
    CArchive out;
    out.WriteObject(object);
    return out.Buffer();
}

// Reads an object of class T back from stored bytes; the whole input must be
// used.
template <class T>
std::unique_ptr<T> LoadStored(const QByteArray& bytes)
{
    CArchive in(bytes);
    std::unique_ptr<T> object = in.ReadOwned<T>();
    EXPECT_EQ(in.BytesLeft(), 0u);
    return object;
}

// Hex of the 8-bit text, for golden bytes that name classes and captions.
inline QByteArray Ascii(const char* text) { return QByteArray(text).toHex(); }

} // namespace kt::test
