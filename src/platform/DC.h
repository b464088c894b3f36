#pragma once
// A device context for the chart code: drawing in document units through a
// QPainter with the view's mapping (zoom and scroll origin), with the drawing
// operations the chart classes use. Qt types appear only from here down.
#include "platform/Geometry.h"
#include "platform/Types.h"

#include <QBrush>
#include <QFont>
#include <QPen>
#include <QRegion>

#include <vector>

class QImage;
class QPainter;
struct PageMetrics;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// DrawText formats.
constexpr UINT DT_LEFT = 0x0000;
constexpr UINT DT_CENTER = 0x0001;
constexpr UINT DT_RIGHT = 0x0002;
constexpr UINT DT_VCENTER = 0x0004;
constexpr UINT DT_BOTTOM = 0x0008;
constexpr UINT DT_WORDBREAK = 0x0010;
constexpr UINT DT_SINGLELINE = 0x0020;
constexpr UINT DT_NOCLIP = 0x0100;
constexpr UINT DT_CALCRECT = 0x0400;
constexpr UINT DT_NOPREFIX = 0x0800;

// Pen styles.
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_NULL = 5;
constexpr int PS_INSIDEFRAME = 6;

// What GetDeviceCaps tells of the device: the printable area in millimetres
// and in pixels, and the pixels per inch.
constexpr int HORZSIZE = 4;
constexpr int VERTSIZE = 6;
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;

// How a new clip rectangle meets the clip there is.
constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_COPY = 5;

QColor ToQColor(COLORREF c);
COLORREF FromQColor(const QColor& c);
// A pen of the given style, width in document units (0: one device pixel)
// and colour.
QPen MakePen(int style, int width, COLORREF color);

class CDC {
public:
    // Draws through the painter; printing changes what some objects draw.
    explicit CDC(QPainter& painter, bool printing = false);
    // A printer's page drawn smaller on the painter's device (a preview): the
    // device context answers for the page (its device units are the page's
    // pixels) and draws everything shrunk by the scale.
    CDC(QPainter& painter, const PageMetrics& page, double scale);
    ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    QPainter& Painter() { return m_painter; }
    bool IsPrinting() const { return m_printing; }

    // The mapping: device = document * num / den - origin (the scroll
    // position in device pixels).
    void SetMapping(int numX, int numY, int denX, int denY, CPoint deviceOrigin);
    // The document point at the device origin, (0, 0) unless set: moving it
    // moves everything drawn afterwards the other way. The mapping keeps it.
    CPoint SetWindowOrg(CPoint origin);
    CPoint GetWindowOrg() const { return m_windowOrg; }
    CPoint LPtoDP(CPoint p) const;
    CPoint DPtoLP(CPoint p) const;
    CRect LPtoDP(const CRect& r) const;
    CRect DPtoLP(const CRect& r) const;
    // Dots per inch of the device, vertically.
    int LogPixelsY() const;

    QPen SelectPen(const QPen& pen);
    QBrush SelectBrush(const QBrush& brush);
    QFont SelectFont(const QFont& font);
    const QPen& GetPen() const { return m_pen; }
    const QBrush& GetBrush() const { return m_brush; }
    const QFont& GetFont() const { return m_font; }

    COLORREF SetTextColor(COLORREF color);
    COLORREF SetBkColor(COLORREF color);
    int SetBkMode(int mode);

    void MoveTo(CPoint p) { m_current = p; }
    void MoveTo(int x, int y) { m_current = CPoint(x, y); }
    void LineTo(CPoint p);
    void LineTo(int x, int y) { LineTo(CPoint(x, y)); }
    // Outlined with the pen inside the rectangle and filled with the brush;
    // right and bottom are outside.
    void Rectangle(const CRect& r);
    void Ellipse(const CRect& r);
    void Polygon(const std::vector<CPoint>& points);
    void Polyline(const std::vector<CPoint>& points);
    void FillSolidRect(const CRect& r, COLORREF color);
    // A frame of the given thickness inside the rectangle.
    void FrameRect(const CRect& r, COLORREF color, int thickness = 1);
    // Inverts the pixels under the rectangle.
    void InvertRect(const CRect& r);
    void TextOut(int x, int y, const QString& text);
    // Draws (or with DT_CALCRECT measures into r) text in a rectangle.
    int DrawText(const QString& text, CRect& r, UINT format);
    CSize GetTextExtent(const QString& text) const;
    // The sum of the widths of the text's characters, each measured alone in
    // the selected font (whole units, rounded up): the measure by which
    // texts are placed and boxes sized, which can differ from the extent of
    // the text drawn as a whole.
    int GetCharWidthSum(const QString& text) const;
    void DrawImage(const CRect& target, const QImage& image);
    // Nothing is drawn outside the rectangle from here on, in the present
    // mapping, until the device context goes.
    void IntersectClipRect(const CRect& r);
    // The clip becomes the rectangle (RGN_COPY), its meeting with the clip
    // there is (RGN_AND) or both together (RGN_OR; without a clip everything
    // is drawn already). The rectangle is taken in the present mapping and
    // the clip stays where it is on the device when the mapping changes.
    void SelectClipRect(const CRect& r, int mode = RGN_COPY);
    // Everything is drawn again.
    void SelectClipNone();
    // The smallest rectangle around what can be drawn now, in the present
    // mapping: the clip's, or the whole device's without one.
    CRect GetClipBox() const;
    // HORZSIZE, VERTSIZE, HORZRES, VERTRES, LOGPIXELSX, LOGPIXELSY of the
    // device drawn on; 0 for anything else.
    int GetDeviceCaps(int index) const;

private:
    // The selected font into the painter, unless it holds it already.
    void ApplyFont();
    void ApplyTransform();
    void ApplyClip();

    QPainter& m_painter;
    bool m_printing;
    int m_numX = 1, m_numY = 1, m_denX = 1, m_denY = 1;
    CPoint m_origin;
    CPoint m_windowOrg;
    // A page that stands in for the painter's device, and the device pixels
    // of the painter to one of the page's.
    bool m_hasPage = false;
    int m_pageCaps[6] = {};
    double m_pageScale = 1.0;
    CPoint m_current;
    QPen m_pen;
    QBrush m_brush;
    QFont m_font;
    COLORREF m_textColor = 0;
    COLORREF m_bkColor = 0xFFFFFF;
    int m_bkMode = OPAQUE;
    // The clip in device pixels, as far as this device context set it.
    QRegion m_clip;
    bool m_clipped = false;
};
