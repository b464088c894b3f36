#include "platform/DC.h"

#include "platform/PrintTarget.h"

#include <QFontMetrics>
#include <algorithm>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>

#include <climits>
#include <cmath>

QColor ToQColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }
COLORREF FromQColor(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

QPen MakePen(int style, int width, COLORREF color)
{
    if (style == PS_NULL) return QPen(Qt::NoPen);
    QPen pen(ToQColor(color));
    // Width 0 is one device pixel whatever the zoom; wider pens scale.
    if (width <= 0) {
        pen.setWidth(0);
        pen.setCosmetic(true);
    } else {
        // Qt draws nothing sensible with wider pens.
        pen.setWidthF(std::min(width, 32767));
    }
    switch (style) {
    case PS_DASH: pen.setStyle(Qt::DashLine); break;
    case PS_DOT: pen.setStyle(Qt::DotLine); break;
    default: pen.setStyle(Qt::SolidLine); break;
    }
    pen.setJoinStyle(Qt::MiterJoin);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

namespace {
// Rounds a * b / c to the nearest integer, halves away from zero.
LONG MulDivRound(LONG a, LONG b, LONG c)
{
    if (c == 0) return 0;
    const long long n = static_cast<long long>(a) * b;
    const long long q = (std::llabs(n) * 2 + std::llabs(c)) / (2 * std::llabs(static_cast<long long>(c)));
    return static_cast<LONG>(((n < 0) != (c < 0)) ? -q : q);
}

double PenWidth(const QPen& pen)
{
    if (pen.style() == Qt::NoPen) return 0;
    return pen.isCosmetic() || pen.widthF() <= 0 ? 1.0 : pen.widthF();
}
} // namespace

CDC::CDC(QPainter& painter, bool printing)
    : m_painter(painter), m_printing(printing), m_pen(MakePen(PS_SOLID, 0, 0)), m_brush(Qt::white)
{
    m_painter.save();
    m_font = m_painter.font();
    ApplyTransform();
}

CDC::CDC(QPainter& painter, const PageMetrics& page, double scale)
    : m_painter(painter), m_printing(true), m_hasPage(true),
      m_pageCaps{page.widthMm, page.heightMm, page.widthPx, page.heightPx, page.dpiX, page.dpiY},
      m_pageScale(scale > 0 ? scale : 1.0), m_pen(MakePen(PS_SOLID, 0, 0)), m_brush(Qt::white)
{
    m_painter.save();
    m_font = m_painter.font();
    ApplyTransform();
}

CDC::~CDC() { m_painter.restore(); }

void CDC::SetMapping(int numX, int numY, int denX, int denY, CPoint deviceOrigin)
{
    m_numX = numX == 0 ? 1 : numX;
    m_numY = numY == 0 ? 1 : numY;
    m_denX = denX == 0 ? 1 : denX;
    m_denY = denY == 0 ? 1 : denY;
    m_origin = deviceOrigin;
    ApplyTransform();
}

CPoint CDC::SetWindowOrg(CPoint origin)
{
    const CPoint old = m_windowOrg;
    m_windowOrg = origin;
    ApplyTransform();
    return old;
}

void CDC::ApplyTransform()
{
    QTransform t;
    if (m_hasPage) t.scale(m_pageScale, m_pageScale);
    t.translate(-m_origin.x, -m_origin.y);
    t.scale(static_cast<double>(m_numX) / m_denX, static_cast<double>(m_numY) / m_denY);
    t.translate(-m_windowOrg.x, -m_windowOrg.y);
    m_painter.setWorldTransform(t);
}

CPoint CDC::LPtoDP(CPoint p) const
{
    return {MulDivRound(p.x - m_windowOrg.x, m_numX, m_denX) - m_origin.x,
            MulDivRound(p.y - m_windowOrg.y, m_numY, m_denY) - m_origin.y};
}

CPoint CDC::DPtoLP(CPoint p) const
{
    return {MulDivRound(p.x + m_origin.x, m_denX, m_numX) + m_windowOrg.x,
            MulDivRound(p.y + m_origin.y, m_denY, m_numY) + m_windowOrg.y};
}

CRect CDC::LPtoDP(const CRect& r) const { return CRect(LPtoDP(r.TopLeft()), LPtoDP(r.BottomRight())); }
CRect CDC::DPtoLP(const CRect& r) const { return CRect(DPtoLP(r.TopLeft()), DPtoLP(r.BottomRight())); }

int CDC::LogPixelsY() const
{
    if (m_hasPage && m_pageCaps[5] > 0) return m_pageCaps[5];
    const QPaintDevice* device = m_painter.device();
    return device != nullptr && device->logicalDpiY() > 0 ? device->logicalDpiY() : 96;
}

QPen CDC::SelectPen(const QPen& pen)
{
    QPen old = m_pen;
    m_pen = pen;
    return old;
}

QBrush CDC::SelectBrush(const QBrush& brush)
{
    QBrush old = m_brush;
    m_brush = brush;
    return old;
}

QFont CDC::SelectFont(const QFont& font)
{
    QFont old = m_font;
    m_font = font;
    return old;
}

COLORREF CDC::SetTextColor(COLORREF color)
{
    const COLORREF old = m_textColor;
    m_textColor = color;
    return old;
}

COLORREF CDC::SetBkColor(COLORREF color)
{
    const COLORREF old = m_bkColor;
    m_bkColor = color;
    return old;
}

int CDC::SetBkMode(int mode)
{
    const int old = m_bkMode;
    m_bkMode = mode;
    return old;
}

void CDC::LineTo(CPoint p)
{
    m_painter.setPen(m_pen);
    m_painter.drawLine(QPointF(m_current.x, m_current.y), QPointF(p.x, p.y));
    m_current = p;
}

void CDC::Rectangle(const CRect& r)
{
    const CRect n = r.Normalized();
    const double w = PenWidth(m_pen);
    m_painter.setPen(m_pen);
    m_painter.setBrush(m_brush);
    m_painter.drawRect(QRectF(n.left + w / 2, n.top + w / 2, std::max(0.0, n.Width() - w), std::max(0.0, n.Height() - w)));
}

void CDC::Ellipse(const CRect& r)
{
    const CRect n = r.Normalized();
    const double w = PenWidth(m_pen);
    m_painter.setPen(m_pen);
    m_painter.setBrush(m_brush);
    m_painter.drawEllipse(
        QRectF(n.left + w / 2, n.top + w / 2, std::max(0.0, n.Width() - w), std::max(0.0, n.Height() - w)));
}

void CDC::Polygon(const std::vector<CPoint>& points)
{
    QPolygonF poly;
    for (const CPoint& p : points) poly << QPointF(p.x, p.y);
    m_painter.setPen(m_pen);
    m_painter.setBrush(m_brush);
    m_painter.drawPolygon(poly);
}

void CDC::Polyline(const std::vector<CPoint>& points)
{
    QPolygonF poly;
    for (const CPoint& p : points) poly << QPointF(p.x, p.y);
    m_painter.setPen(m_pen);
    m_painter.drawPolyline(poly);
}

void CDC::FillSolidRect(const CRect& r, COLORREF color)
{
    const CRect n = r.Normalized();
    m_painter.fillRect(QRectF(n.left, n.top, n.Width(), n.Height()), ToQColor(color));
}

void CDC::FrameRect(const CRect& r, COLORREF color, int thickness)
{
    const CRect n = r.Normalized();
    const QColor c = ToQColor(color);
    const int t = std::max(1, thickness);
    m_painter.fillRect(QRectF(n.left, n.top, n.Width(), t), c);
    m_painter.fillRect(QRectF(n.left, n.bottom - t, n.Width(), t), c);
    m_painter.fillRect(QRectF(n.left, n.top, t, n.Height()), c);
    m_painter.fillRect(QRectF(n.right - t, n.top, t, n.Height()), c);
}

void CDC::InvertRect(const CRect& r)
{
    const CRect n = r.Normalized();
    const QPainter::CompositionMode old = m_painter.compositionMode();
    m_painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    m_painter.fillRect(QRectF(n.left, n.top, n.Width(), n.Height()), Qt::black);
    m_painter.setCompositionMode(old);
}

void CDC::ApplyFont()
{
    // Setting a font makes the painter find its face again at the next
    // text, even the same font: a page of labels in one font would pay for
    // that at every label.
    if (m_painter.font() != m_font) m_painter.setFont(m_font);
}

void CDC::TextOut(int x, int y, const QString& text)
{
    ApplyFont();
    const QFontMetricsF fm(m_font, m_painter.device());
    if (m_bkMode == OPAQUE)
        m_painter.fillRect(QRectF(x, y, fm.horizontalAdvance(text), fm.height()), ToQColor(m_bkColor));
    m_painter.setPen(ToQColor(m_textColor));
    m_painter.drawText(QPointF(x, y + fm.ascent()), text);
}

int CDC::DrawText(const QString& text, CRect& r, UINT format)
{
    ApplyFont();
    int flags = 0;
    flags |= (format & DT_CENTER) ? Qt::AlignHCenter : (format & DT_RIGHT) ? Qt::AlignRight : Qt::AlignLeft;
    if (format & DT_SINGLELINE) {
        flags |= (format & DT_VCENTER) ? Qt::AlignVCenter : (format & DT_BOTTOM) ? Qt::AlignBottom : Qt::AlignTop;
        flags |= Qt::TextSingleLine;
    } else {
        flags |= Qt::AlignTop;
    }
    if (format & DT_WORDBREAK) flags |= Qt::TextWordWrap;
    if (!(format & DT_NOPREFIX)) flags |= Qt::TextShowMnemonic;
    const QRectF box(r.left, r.top, r.Width(), r.Height());
    const QFontMetricsF fm(m_font, m_painter.device());
    const QRectF needed = fm.boundingRect(box, flags, text);
    if (format & DT_CALCRECT) {
        r.right = r.left + static_cast<LONG>(std::ceil(needed.width()));
        r.bottom = r.top + static_cast<LONG>(std::ceil(needed.height()));
        return r.Height();
    }
    if (m_bkMode == OPAQUE) m_painter.fillRect(needed.intersected(box), ToQColor(m_bkColor));
    m_painter.setPen(ToQColor(m_textColor));
    m_painter.drawText(box, flags, text);
    return static_cast<int>(std::ceil(needed.height()));
}

CSize CDC::GetTextExtent(const QString& text) const
{
    const QFontMetricsF fm(m_font, m_painter.device());
    return {static_cast<LONG>(std::ceil(fm.horizontalAdvance(text))), static_cast<LONG>(std::ceil(fm.height()))};
}

int CDC::GetCharWidthSum(const QString& text) const
{
    const QFontMetricsF fm(m_font, m_painter.device());
    long long sum = 0;
    // A character's own advance: shaping each one as a text of its own would
    // cost most of a page of labels.
    for (const QChar c : text) sum += static_cast<long long>(std::ceil(fm.horizontalAdvance(c)));
    return static_cast<int>(std::min<long long>(sum, INT_MAX));
}

void CDC::DrawImage(const CRect& target, const QImage& image)
{
    const CRect n = target.Normalized();
    m_painter.drawImage(QRectF(n.left, n.top, n.Width(), n.Height()), image);
}

void CDC::IntersectClipRect(const CRect& r)
{
    const CRect n = r.Normalized();
    m_painter.setClipRect(QRectF(n.left, n.top, n.Width(), n.Height()), Qt::IntersectClip);
    const CRect d = LPtoDP(n).Normalized();
    const QRegion device(QRect(d.left, d.top, d.Width(), d.Height()));
    m_clip = m_clipped ? m_clip.intersected(device) : device;
    m_clipped = true;
}

void CDC::SelectClipRect(const CRect& r, int mode)
{
    const CRect d = LPtoDP(r.Normalized()).Normalized();
    const QRegion device(QRect(d.left, d.top, d.Width(), d.Height()));
    switch (mode) {
    case RGN_AND: m_clip = m_clipped ? m_clip.intersected(device) : device; break;
    case RGN_OR:
        if (!m_clipped) return;
        m_clip = m_clip.united(device);
        break;
    default: m_clip = device; break;
    }
    m_clipped = true;
    ApplyClip();
}

void CDC::SelectClipNone()
{
    m_clipped = false;
    m_clip = QRegion();
    m_painter.setClipping(false);
}

void CDC::ApplyClip()
{
    // Set in device pixels, so that the mapping cannot round it.
    m_painter.setWorldTransform(m_hasPage ? QTransform::fromScale(m_pageScale, m_pageScale) : QTransform());
    m_painter.setClipRegion(m_clip, Qt::ReplaceClip);
    ApplyTransform();
}

CRect CDC::GetClipBox() const
{
    QRect box;
    if (m_clipped) {
        box = m_clip.boundingRect();
    } else if (m_hasPage) {
        box = QRect(0, 0, m_pageCaps[2], m_pageCaps[3]);
    } else if (const QPaintDevice* device = m_painter.device()) {
        box = QRect(0, 0, device->width(), device->height());
    }
    if (box.isEmpty()) return CRect();
    return DPtoLP(CRect(box.left(), box.top(), box.left() + box.width(), box.top() + box.height())).Normalized();
}

int CDC::GetDeviceCaps(int index) const
{
    if (m_hasPage) {
        switch (index) {
        case HORZSIZE: return m_pageCaps[0];
        case VERTSIZE: return m_pageCaps[1];
        case HORZRES: return m_pageCaps[2];
        case VERTRES: return m_pageCaps[3];
        case LOGPIXELSX: return m_pageCaps[4];
        case LOGPIXELSY: return m_pageCaps[5];
        default: return 0;
        }
    }
    const QPaintDevice* device = m_painter.device();
    if (device == nullptr) return 0;
    switch (index) {
    case HORZSIZE: return device->widthMM();
    case VERTSIZE: return device->heightMM();
    case HORZRES: return device->width();
    case VERTRES: return device->height();
    case LOGPIXELSX: return device->logicalDpiX();
    case LOGPIXELSY: return device->logicalDpiY();
    default: return 0;
    }
}
