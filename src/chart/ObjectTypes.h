#pragma once
// The one numbering of window records, views and placed objects. Every class
// answers its own constant through GetObjectType (views through GetViewType);
// code that tells objects apart compares against these names and ranges.
namespace objtype {

// Window records.
constexpr int kWnd = 102;
constexpr int kFlowWnd = 103;
constexpr int kMonWnd = 104;

// Views (view types).
constexpr int kView = 0;
constexpr int kFlowView = 201;
constexpr int kMonView = 202;

// Symbols.
constexpr int kSymbol = 300;
// Flow control, 301 to 309.
constexpr int kFlowStart = 301;
constexpr int kFlowEnd = 302;
constexpr int kFlowSubRtn = 303;
constexpr int kFlowPointer = 304;
constexpr int kFlowCall = 305;
constexpr int kFlowJump = 306;
constexpr int kFlowCJump = 307;
constexpr int kFlowProgText = 308;
constexpr int kFlowRet = 309;
// Positioning codes, 321 to 332.
constexpr int kCodeDrv = 321;
constexpr int kCodeLine = 322;
constexpr int kCodeCir = 323;
constexpr int kCodeTime = 324;
constexpr int kCodeChk = 325;
constexpr int kCodeDrvz = 326;
constexpr int kCodeSetrDrvr = 327;
constexpr int kCodeInt = 328;
constexpr int kCodeComp = 329;
constexpr int kCodeIncAbs = 330;
constexpr int kCodeSetAddr = 331;
constexpr int kCodeMcode = 332;
// Function instructions, 341 to 349.
constexpr int kFuncRepeat = 341;
constexpr int kFuncMove = 342;
constexpr int kFuncBcdBin = 343;
constexpr int kFuncArth = 344;
constexpr int kFuncLogical = 345;
constexpr int kFuncAbs = 346;
constexpr int kFuncExt = 347;
constexpr int kFuncSegl = 348;
constexpr int kFuncSetRst = 349;

// Drawing objects, 400 to 410.
constexpr int kDrawObj = 400;
constexpr int kShape = 401;
constexpr int kRect = 402;
constexpr int kOval = 403;
constexpr int kLine = 404;
constexpr int kBaseRect = 405;
constexpr int kOle = 410;

// Wiring, 500 to 503.
constexpr int kConnect = 500;
constexpr int kPin = 501;
constexpr int kNode = 502;
constexpr int kFlowJumpEnd = 503;

// Monitor objects, 801 to 808.
constexpr int kMonObj = 801;
constexpr int kMonCurPos = 802;
constexpr int kMonPlotObj = 803;
constexpr int kMonDevStat = 804;
constexpr int kMonManOpern = 805;
constexpr int kMonManInputStat = 806;
constexpr int kMonKZQWStat = 807;
constexpr int kMonProgInfo = 808;

constexpr bool IsFlowSymbol(int type) { return type >= kFlowStart && type <= kFlowRet; }
constexpr bool IsCodeSymbol(int type) { return type >= kCodeDrv && type <= kCodeMcode; }
constexpr bool IsFuncSymbol(int type) { return type >= kFuncRepeat && type <= kFuncSetRst; }
constexpr bool IsSymbol(int type) { return type == kSymbol || IsFlowSymbol(type) || IsCodeSymbol(type) || IsFuncSymbol(type); }
constexpr bool IsDrawingObject(int type) { return type >= kDrawObj && type <= kOle; }
constexpr bool IsWiring(int type) { return type >= kConnect && type <= kFlowJumpEnd; }
constexpr bool IsMonitorObject(int type) { return type >= kMonObj && type <= kMonProgInfo; }

} // namespace objtype
