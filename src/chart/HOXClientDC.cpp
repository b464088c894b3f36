#include "chart/HOXClientDC.h"

#include "chart/HOXView.h"

namespace {
// The device the DC stands for: a one-pixel image at the view's resolution.
QImage DeviceImage(CHOXView* view)
{
    QImage image(1, 1, QImage::Format_RGB32);
    const int dpi = view != nullptr && view->Host() != nullptr ? view->Host()->LogPixelsY() : 96;
    // Dots per metre, as the image keeps its resolution.
    const int dotsPerMeter = static_cast<int>(dpi / 0.0254 + 0.5);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
}
} // namespace

QFont CHOXClientDC::ProgramFont(int logPixelsY)
{
    // "Arial" is drawn with a face of the same metrics.
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    // Ten points, rounded as a multiply-divide rounds.
    font.setPixelSize(std::max(1, (10 * logPixelsY + 36) / 72));
    font.setWeight(QFont::Normal);
    return font;
}

CHOXClientDC::CHOXClientDC(CHOXView* view) : m_image(DeviceImage(view)), m_painter(&m_image), m_dc(m_painter)
{
    if (view != nullptr) view->OnPrepareDC(&m_dc);
    m_dc.SetTextColor(RGB(9, 0, 0));
    m_oldFont = m_dc.SelectFont(ProgramFont(m_dc.LogPixelsY()));
}

CHOXClientDC::~CHOXClientDC() { m_dc.SelectFont(m_oldFont); }
