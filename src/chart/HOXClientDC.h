#pragma once
// A device context of a view for measuring and drawing outside a repaint: the
// view's zoom mapping applies and the program font is selected, so text and
// sizes scale with the zoom.
#include "platform/DC.h"

#include <QFont>
#include <QImage>
#include <QPainter>

class CHOXView;

class CHOXClientDC {
public:
    explicit CHOXClientDC(CHOXView* view);
    ~CHOXClientDC();
    CHOXClientDC(const CHOXClientDC&) = delete;
    CHOXClientDC& operator=(const CHOXClientDC&) = delete;

    CDC& DC() { return m_dc; }
    CDC* operator->() { return &m_dc; }

    // The program's font: a 10-point sans-serif face, its height in document
    // units for a device of the given resolution.
    static QFont ProgramFont(int logPixelsY);

private:
    QImage m_image;
    QPainter m_painter;
    CDC m_dc;
    QFont m_oldFont;
};
