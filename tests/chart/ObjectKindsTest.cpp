// The kinds table: every object kind the program knows, what each says of
// itself, and whether the tables that read the kinds (palette, help, symbol
// pictures, symbol factory, archive) find what they need.
#include "chart/ObjectKinds.h"
#include "app/PaletteTools.h"
#include "app/SymbolIconTable.h"
#include "chart/HOXPin.h"
#include "chart/HOXView.h"
#include "platform/Help.h"
#include "platform/Resources.h"
#include "symbols/FlowSymbolTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>

namespace {

// Every type number an object placed in a window answers: symbols, drawn
// shapes, the embedded item's holder, wiring and monitor objects.
constexpr int kObjectTypes[] = {
    objtype::kSymbol,       objtype::kFlowStart,   objtype::kFlowEnd,     objtype::kFlowSubRtn,
    objtype::kFlowPointer,  objtype::kFlowCall,    objtype::kFlowJump,    objtype::kFlowCJump,
    objtype::kFlowProgText, objtype::kFlowRet,     objtype::kCodeDrv,     objtype::kCodeLine,
    objtype::kCodeCir,      objtype::kCodeTime,    objtype::kCodeChk,     objtype::kCodeDrvz,
    objtype::kCodeSetrDrvr, objtype::kCodeInt,     objtype::kCodeComp,    objtype::kCodeIncAbs,
    objtype::kCodeSetAddr,  objtype::kCodeMcode,   objtype::kFuncRepeat,  objtype::kFuncMove,
    objtype::kFuncBcdBin,   objtype::kFuncArth,    objtype::kFuncLogical, objtype::kFuncAbs,
    objtype::kFuncExt,      objtype::kFuncSegl,    objtype::kFuncSetRst,  objtype::kDrawObj,
    objtype::kShape,        objtype::kRect,        objtype::kOval,        objtype::kLine,
    objtype::kBaseRect,     objtype::kOle,         objtype::kConnect,     objtype::kPin,
    objtype::kNode,         objtype::kFlowJumpEnd, objtype::kMonObj,      objtype::kMonCurPos,
    objtype::kMonPlotObj,   objtype::kMonDevStat,  objtype::kMonManOpern, objtype::kMonManInputStat,
    objtype::kMonKZQWStat,  objtype::kMonProgInfo,
};

// The type an object of the archive answers, or 0 for an object that is no
// placed object.
int TypeOf(const CObject* object)
{
    if (const auto* drawn = dynamic_cast<const CHOXDrawObj*>(object)) return drawn->GetObjectType();
    if (const auto* pin = dynamic_cast<const CHOXPin*>(object)) return pin->GetObjectType();
    return 0;
}

std::string Name(const ObjectKind* kind)
{
    return std::to_string(kind->type) + (kind->className != nullptr ? std::string(" ") + kind->className : "");
}

class ObjectKindsTest : public kt::test::FlowDocTest {};

} // namespace

TEST(ObjectKindsTableTest, EveryObjectTypeHasOneKindAndEveryToolOne)
{
    std::map<int, int> types;
    std::map<UINT, int> tools;
    for (const ObjectKind* kind : kinds::All()) {
        ++types[kind->type];
        if (kind->tool != 0) ++tools[kind->tool];
    }
    for (int type : kObjectTypes) EXPECT_EQ(types[type], 1) << "type " << type;
    for (const auto& [tool, count] : tools) EXPECT_EQ(count, 1) << "tool " << tool;
    // Every palette tool places a kind, and a kind with a tool is on the
    // palette under its own name.
    for (int group = 0; group < kPaletteGroups; ++group) {
        for (const PaletteTool& tool : PaletteTools(group)) {
            const ObjectKind* kind = kinds::ByTool(tool.id);
            ASSERT_NE(kind, nullptr) << tool.id;
            EXPECT_EQ(tool.caption, kind->paletteName);
            EXPECT_EQ(tool.helpContext, kind->helpContext);
        }
    }
    for (const auto& [tool, count] : tools) EXPECT_TRUE(IsPaletteTool(tool)) << tool;
}

TEST(ObjectKindsTableTest, EveryKindsHelpAndPicturesAreThere)
{
    std::set<std::string> iconNames;
    for (const ObjectKind* kind : kinds::All()) {
        SCOPED_TRACE(Name(kind));
        EXPECT_EQ(CHOXView::HelpContextOfType(kind->type),
                  kind->helpContext != 0 ? static_cast<int>(kind->helpContext) : -1);
        // A kind's help is a topic of the help file (0x10000 and up, below
        // the dialogs' 0x20000).
        if (kind->helpContext != 0) {
            EXPECT_GE(kind->helpContext, 0x10000u);
            EXPECT_LT(kind->helpContext, HID_BASE_RESOURCE);
            EXPECT_FALSE(HelpPageFor(kind->helpContext).isEmpty());
        }
        for (const KindIcon& icon : kind->icons) {
            SCOPED_TRACE(icon.name);
            EXPECT_TRUE(iconNames.insert(icon.name).second) << "two kinds draw one picture name";
            for (UINT id : {icon.normal, icon.error, icon.missing})
                if (id != 0) {
                    EXPECT_FALSE(LoadBitmapResource(id).isNull()) << id;
                }
            EXPECT_NE(icon.normal, 0u);
        }
        // The palette shows the kind's own picture.
        if (kind->paletteName != nullptr) {
            EXPECT_TRUE(std::ranges::any_of(
                kind->icons, [&](const KindIcon& i) { return std::strcmp(i.name, kind->paletteName) == 0; }));
        }
    }
    // The store loads exactly the kinds' pictures.
    EXPECT_EQ(SymbolIconTable().size(), iconNames.size());
}

TEST_F(ObjectKindsTest, EveryMakerMakesItsKindAndEveryClassComesBackFromTheArchive)
{
    for (const ObjectKind* kind : kinds::All()) {
        SCOPED_TRACE(Name(kind));
        if (kind->maker != nullptr) {
            // Symbols go into flow charts; shapes and monitor objects onto the
            // monitor page.
            CHOXWnd* wnd = objtype::IsSymbol(kind->type) ? static_cast<CHOXWnd*>(chart) : monitor;
            const std::unique_ptr<CHOXDrawObj> made = kind->maker(CPoint(100, 50), wnd);
            ASSERT_NE(made, nullptr);
            EXPECT_EQ(made->GetObjectType(), kind->type);
            EXPECT_EQ(made->GetWnd(), wnd);
        }
        ASSERT_NE(kind->className, nullptr);
        const CRuntimeClass* cls = CRuntimeClass::FromName(kind->className);
        ASSERT_NE(cls, nullptr);
        const std::unique_ptr<CObject> object = cls->CreateObject();
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(TypeOf(object.get()), kind->type);
        const std::unique_ptr<CObject> back = kt::test::LoadStored<CObject>(kt::test::StoredBytes(object.get()));
        ASSERT_NE(back, nullptr);
        EXPECT_STREQ(back->GetRuntimeClass()->m_lpszClassName, kind->className);
        EXPECT_EQ(TypeOf(back.get()), kind->type);
    }
}

TEST_F(ObjectKindsTest, AToolPlacesItsKindAndNothingElseMakesASymbol)
{
    for (int group = 0; group < kPaletteGroups; ++group) {
        for (const PaletteTool& tool : PaletteTools(group)) {
            SCOPED_TRACE(tool.caption);
            const std::unique_ptr<CHOXSymbol> symbol = MakeToolSymbol(tool.id, CPoint(40, 40), chart);
            ASSERT_NE(symbol, nullptr);
            EXPECT_EQ(symbol->GetObjectType(), kinds::ByTool(tool.id)->type);
            EXPECT_EQ(symbol->GetRect(), CRect(40, 40, 104, 72));
        }
    }
    EXPECT_EQ(MakeToolSymbol(20110, CPoint(0, 0), chart), nullptr);
    EXPECT_EQ(kinds::MakeForTool(0, CPoint(0, 0), chart), nullptr);
    EXPECT_EQ(kinds::ByType(12345), nullptr);
}
