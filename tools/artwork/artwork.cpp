// Draws the program's own pictures into src/res/bitmaps. Run it after
// changing a picture here; the PNG files it writes are committed.
//   tools/artwork/build.sh && tools/artwork/artwork src/res/bitmaps
#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>

namespace {
const QColor kInk(0x1d, 0x2b, 0x3a);
const QColor kAccent(0xe0, 0x7a, 0x1f);
const QColor kSteel(0x4a, 0x6f, 0x8f);

void Save(const QImage& image, const QString& dir, int id)
{
    const QString path = dir + QStringLiteral("/%1.png").arg(id);
    if (!image.save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

// The start-up picture: a small flow chart whose last step drives a motion
// curve, and the program's name.
QImage Logo()
{
    QImage image(569, 418, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, image.height());
    sky.setColorAt(0, QColor(0xf4, 0xf7, 0xfa));
    sky.setColorAt(1, QColor(0xd9, 0xe3, 0xec));
    p.fillRect(image.rect(), sky);

    // Grid of the drawing sheet.
    p.setPen(QPen(QColor(0xc4, 0xd2, 0xde), 1));
    for (int x = 20; x < image.width(); x += 24) p.drawLine(x, 0, x, image.height());
    for (int y = 14; y < image.height(); y += 24) p.drawLine(0, y, image.width(), y);

    // Flow chart: START, two steps, END.
    const QRectF boxes[] = {{60, 60, 110, 40}, {60, 130, 110, 40}, {60, 200, 110, 40}, {60, 270, 110, 40}};
    const char* labels[] = {"START", "cod01", "cod04", "END"};
    QFont small(QStringLiteral("DejaVu Sans"), 11, QFont::Bold);
    p.setFont(small);
    for (int i = 0; i < 4; ++i) {
        p.setPen(QPen(kInk, 2));
        p.setBrush(i == 0 || i == 3 ? QColor(0xff, 0xf1, 0xe0) : QColor(Qt::white));
        if (i == 0 || i == 3) {
            p.drawRoundedRect(boxes[i], 20, 20);
        } else {
            p.drawRect(boxes[i]);
        }
        p.drawText(boxes[i], Qt::AlignCenter, QString::fromLatin1(labels[i]));
        if (i < 3) {
            const QPointF a(boxes[i].center().x(), boxes[i].bottom());
            const QPointF b(boxes[i + 1].center().x(), boxes[i + 1].top());
            p.drawLine(a, b);
            p.setBrush(kInk);
            p.drawPolygon(QPolygonF({b, b + QPointF(-5, -8), b + QPointF(5, -8)}));
        }
    }

    // Axes and a motion profile: accelerate, travel, decelerate.
    const QPointF origin(230, 300);
    p.setPen(QPen(kSteel, 2));
    p.drawLine(origin, origin + QPointF(300, 0));
    p.drawLine(origin, origin - QPointF(0, 230));
    QPainterPath profile;
    profile.moveTo(origin);
    profile.cubicTo(origin + QPointF(40, 0), origin + QPointF(50, -170), origin + QPointF(90, -170));
    profile.lineTo(origin + QPointF(200, -170));
    profile.cubicTo(origin + QPointF(240, -170), origin + QPointF(250, 0), origin + QPointF(290, 0));
    p.setPen(QPen(kAccent, 5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(profile);
    p.setPen(QPen(kSteel, 1, Qt::DashLine));
    p.drawLine(QPointF(170, 220), origin + QPointF(20, -80));

    // Name and tag line.
    QFont title(QStringLiteral("DejaVu Sans"), 40, QFont::Bold);
    p.setFont(title);
    p.setPen(kInk);
    p.drawText(QRectF(0, 318, image.width(), 60), Qt::AlignCenter, QStringLiteral("Kinetrace"));
    QFont tag(QStringLiteral("DejaVu Sans"), 12);
    p.setFont(tag);
    p.setPen(kSteel);
    p.drawText(QRectF(0, 372, image.width(), 30), Qt::AlignCenter,
               QStringLiteral("Flow charts for positioning controllers"));
    p.end();
    return image;
}

// The picture of a timed notice: a round badge with an exclamation mark.
QImage NoticeIcon()
{
    QImage image(34, 33, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient fill(QPointF(13, 12), 20);
    fill.setColorAt(0, QColor(0xff, 0xc2, 0x6b));
    fill.setColorAt(1, kAccent);
    p.setBrush(fill);
    p.setPen(QPen(QColor(0x8a, 0x45, 0x0c), 1.5));
    p.drawEllipse(QRectF(2, 1.5, 30, 30));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(15, 7, 4, 13), 2, 2);
    p.drawEllipse(QRectF(15, 22, 4, 4));
    p.end();
    return image;
}

// The program's icon on the desktop, for the program and its documents: a
// sheet with a START step feeding a motion curve, drawn on a 48-unit grid and
// scaled to the size asked for.
QImage ProgramIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 48.0, size / 48.0);
    QLinearGradient sky(0, 2, 0, 46);
    sky.setColorAt(0, QColor(0xf4, 0xf7, 0xfa));
    sky.setColorAt(1, QColor(0xd9, 0xe3, 0xec));
    p.setBrush(sky);
    p.setPen(QPen(kSteel, 1.5));
    p.drawRoundedRect(QRectF(3, 3, 42, 42), 6, 6);

    // START above one step, joined by an arrow.
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(0xff, 0xf1, 0xe0));
    p.drawRoundedRect(QRectF(7, 8, 14, 7), 3.5, 3.5);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 24, 14, 7));
    p.drawLine(QPointF(14, 15), QPointF(14, 21));
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({QPointF(14, 24), QPointF(12, 20.5), QPointF(16, 20.5)}));

    // The motion it drives: accelerate, travel, decelerate.
    const QPointF origin(24, 39);
    p.setPen(QPen(kSteel, 1.2));
    p.drawLine(origin, origin + QPointF(17, 0));
    p.drawLine(origin, origin - QPointF(0, 28));
    QPainterPath profile;
    profile.moveTo(origin);
    profile.cubicTo(origin + QPointF(2.5, 0), origin + QPointF(3, -22), origin + QPointF(6, -22));
    profile.lineTo(origin + QPointF(10, -22));
    profile.cubicTo(origin + QPointF(13, -22), origin + QPointF(13.5, 0), origin + QPointF(16, 0));
    p.setPen(QPen(kAccent, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(profile);
    p.end();
    return image;
}

// ---------------------------------------------------------------------------
// Symbol pictures: 64 x 32, one per symbol name and state, drawn from the
// table below. Flow control is green, positioning codes blue, function
// instructions amber; the error state is red with a "!" badge, the missing
// state a grey dashed outline with a "?" badge.

enum class Shape {
    Terminal, // rounded ends: start, end, subroutine, return
    Call,     // box with inner side bars
    Jump,     // pentagon pointing down: control leaves here
    Pointer,  // round connector
    Decision, // diamond, the side exit at its right corner
    Text,     // sheet with a wavy lower edge
    Code,     // box with a stripe on its left
    Function, // box with cut corners
};

enum class Look { Normal, Error, Missing };

// Which edges a wire reaches: a short stub joins the shape to the pin.
enum Stub { kNone = 0, kTop = 1, kBottom = 2, kBoth = 3 };

struct Palette {
    QColor fill, stroke, text;
};

const Palette kFlow{QColor(0xe2, 0xf3, 0xe5), QColor(0x2e, 0x7a, 0x4b), QColor(0x17, 0x4a, 0x2b)};
const Palette kCode{QColor(0xdf, 0xeb, 0xfa), QColor(0x2a, 0x5e, 0x9e), QColor(0x14, 0x34, 0x5c)};
const Palette kFunc{QColor(0xfd, 0xea, 0xd2), QColor(0xb0, 0x60, 0x1a), QColor(0x66, 0x33, 0x07)};
const Palette kError{QColor(0xfb, 0xdf, 0xdc), QColor(0xc6, 0x28, 0x28), QColor(0x8e, 0x1b, 0x1b)};
const Palette kMissing{QColor(0xf7, 0xf7, 0xf7), QColor(0x86, 0x8c, 0x95), QColor(0x6e, 0x74, 0x7c)};

struct SymbolArt {
    int id;
    Shape shape;
    Look look;
    Stub stubs;
    const char* label; // the instruction's short name
    const char* note;  // small second line, may be empty
};

const SymbolArt kSymbols[] = {
    // Flow control.
    {4014, Shape::Terminal, Look::Normal, kBottom, "START", ""},
    {4082, Shape::Terminal, Look::Error, kBottom, "START", ""},
    {4094, Shape::Terminal, Look::Missing, kBottom, "START", ""},
    {4009, Shape::Terminal, Look::Normal, kTop, "END", ""},
    {4095, Shape::Terminal, Look::Missing, kTop, "END", ""},
    {4007, Shape::Terminal, Look::Normal, kBottom, "SUB", ""},
    {4086, Shape::Terminal, Look::Error, kBottom, "SUB", ""},
    {4013, Shape::Terminal, Look::Normal, kTop, "RET", ""},
    {4015, Shape::Call, Look::Normal, kBoth, "CALL", ""},
    {4085, Shape::Call, Look::Error, kBoth, "CALL", ""},
    {4010, Shape::Jump, Look::Normal, kTop, "JMP", "END"},
    {4084, Shape::Jump, Look::Error, kTop, "JMP", "END"},
    {390, Shape::Jump, Look::Normal, kTop, "JMP", ""},
    {4011, Shape::Pointer, Look::Normal, kBottom, "P", ""},
    {4087, Shape::Pointer, Look::Error, kBottom, "P", ""},
    {4008, Shape::Decision, Look::Normal, kNone, "CJ", ""},
    {4012, Shape::Text, Look::Normal, kBoth, "TEXT", ""},
    {4083, Shape::Text, Look::Error, kBoth, "TEXT", ""},
    // Positioning codes.
    {4034, Shape::Code, Look::Normal, kBoth, "DRV", "cod00"},
    {4035, Shape::Code, Look::Normal, kBoth, "DRVZ", "cod28"},
    {4038, Shape::Code, Look::Normal, kBoth, "LIN", "cod01"},
    {4032, Shape::Code, Look::Normal, kBoth, "CW/CCW", "cod02/03"},
    {4036, Shape::Code, Look::Normal, kBoth, "INC/ABS", "cod91/90"},
    {4030, Shape::Code, Look::Normal, kBoth, "TIM", "cod04"},
    {4040, Shape::Code, Look::Normal, kBoth, "SET", "cod92"},
    {4031, Shape::Code, Look::Normal, kBoth, "CHK", "cod09"},
    {4029, Shape::Code, Look::Normal, kBoth, "DRVR", "cod30"},
    {4037, Shape::Code, Look::Normal, kBoth, "S/DINT", "cod71/72"},
    {4033, Shape::Code, Look::Normal, kBoth, "COMP", "cod73-76"},
    {4039, Shape::Code, Look::Normal, kBoth, "M", "m code"},
    {4024, Shape::Code, Look::Normal, kBoth, "INT", "cod31"},
    {4018, Shape::Code, Look::Normal, kBoth, "CW", "cod02"},
    {4017, Shape::Code, Look::Normal, kBoth, "CCW", "cod03"},
    {4023, Shape::Code, Look::Normal, kBoth, "INC", "cod91"},
    {4025, Shape::Code, Look::Normal, kBoth, "ABS", "cod90"},
    {4028, Shape::Code, Look::Normal, kBoth, "SETR", "cod29"},
    {4027, Shape::Code, Look::Normal, kBoth, "SINT", "cod71"},
    {4022, Shape::Code, Look::Normal, kBoth, "DINT", "cod72"},
    {4020, Shape::Code, Look::Normal, kBoth, "MOVC", "cod73"},
    {4019, Shape::Code, Look::Normal, kBoth, "CNTC", "cod74"},
    {4021, Shape::Code, Look::Normal, kBoth, "RADC", "cod75"},
    {4016, Shape::Code, Look::Normal, kBoth, "CANC", "cod76"},
    // One-axis interpolation.
    {4089, Shape::Code, Look::Normal, kBoth, "LIN", "cod01 X"},
    {4090, Shape::Code, Look::Normal, kBoth, "INT", "cod31 X"},
    // Function instructions.
    {4047, Shape::Function, Look::Normal, kBoth, "RPT", "FNC08"},
    {4057, Shape::Function, Look::Normal, kBoth, "RPE", "FNC09"},
    {4046, Shape::Function, Look::Normal, kBoth, "MOV", "FNC12"},
    {4054, Shape::Function, Look::Normal, kBoth, "MMOV", "FNC13"},
    {4056, Shape::Function, Look::Normal, kBoth, "RMOV", "FNC14"},
    {4050, Shape::Function, Look::Normal, kBoth, "BCD", "FNC18"},
    {4043, Shape::Function, Look::Normal, kBoth, "BIN", "FNC19"},
    {4042, Shape::Function, Look::Normal, kBoth, "ADD", "FNC20"},
    {4059, Shape::Function, Look::Normal, kBoth, "SUB", "FNC21"},
    {4055, Shape::Function, Look::Normal, kBoth, "MUL", "FNC22"},
    {4052, Shape::Function, Look::Normal, kBoth, "DIV", "FNC23"},
    {4053, Shape::Function, Look::Normal, kBoth, "INC", "FNC24"},
    {4051, Shape::Function, Look::Normal, kBoth, "DEC", "FNC25"},
    {4045, Shape::Function, Look::Normal, kBoth, "WAND", "FNC26"},
    {4060, Shape::Function, Look::Normal, kBoth, "WOR", "FNC27"},
    {4061, Shape::Function, Look::Normal, kBoth, "WXOR", "FNC28"},
    {4063, Shape::Function, Look::Normal, kBoth, "NEG", "FNC29"},
    {4044, Shape::Function, Look::Normal, kBoth, "EXT", "FNC72"},
    {4048, Shape::Function, Look::Normal, kBoth, "SEGL", "FNC74"},
    {4049, Shape::Function, Look::Normal, kBoth, "XAB", "FNC92"},
    {4062, Shape::Function, Look::Normal, kBoth, "YAB", "FNC93"},
    {4041, Shape::Function, Look::Normal, kBoth, "SET", "bit on"},
    {4058, Shape::Function, Look::Normal, kBoth, "RST", "bit off"},
};

constexpr int kSymbolWidth = 64;
constexpr int kSymbolHeight = 32;

const Palette& PaletteOf(const SymbolArt& art)
{
    switch (art.look) {
    case Look::Error: return kError;
    case Look::Missing: return kMissing;
    case Look::Normal: break;
    }
    switch (art.shape) {
    case Shape::Code: return kCode;
    case Shape::Function: return kFunc;
    default: return kFlow;
    }
}

// The outline of the shape; lines run on pixel centres so 1-pixel strokes
// stay sharp.
QPainterPath Outline(Shape shape)
{
    QPainterPath path;
    const QRectF box(2.5, 2.5, 59, 27);
    switch (shape) {
    case Shape::Terminal:
        path.addRoundedRect(box, 13.5, 13.5);
        break;
    case Shape::Call:
    case Shape::Code:
        path.addRect(box);
        break;
    case Shape::Function:
        path.addPolygon(QPolygonF({{7.5, 2.5}, {56.5, 2.5}, {61.5, 7.5}, {61.5, 24.5}, {56.5, 29.5},
                                   {7.5, 29.5}, {2.5, 24.5}, {2.5, 7.5}, {7.5, 2.5}}));
        break;
    case Shape::Jump:
        path.addPolygon(QPolygonF({{6.5, 2.5}, {57.5, 2.5}, {57.5, 18.5}, {32, 29.5}, {6.5, 18.5}, {6.5, 2.5}}));
        break;
    case Shape::Pointer:
        path.addEllipse(QRectF(18.5, 2.5, 27, 27));
        break;
    case Shape::Decision:
        path.addPolygon(QPolygonF({{32, 0.5}, {63.5, 16}, {32, 31.5}, {0.5, 16}, {32, 0.5}}));
        break;
    case Shape::Text:
        path.moveTo(2.5, 2.5);
        path.lineTo(61.5, 2.5);
        path.lineTo(61.5, 25.5);
        path.cubicTo(47, 19.5, 40, 31.5, 32, 28.5);
        path.cubicTo(24, 25.5, 14, 25.5, 2.5, 28.5);
        path.closeSubpath();
        break;
    }
    return path;
}

// The largest font up to the wanted pixel size that fits the width: the
// normal face first, then the condensed one.
QFont FitFont(const QString& text, int pixelSize, qreal width, bool bold)
{
    for (int size = pixelSize; size >= 7; --size) {
        for (const char* family : {"DejaVu Sans", "DejaVu Sans Condensed"}) {
            QFont font(QString::fromLatin1(family));
            font.setPixelSize(size);
            font.setBold(bold);
            font.setHintingPreference(QFont::PreferFullHinting);
            if (QFontMetricsF(font).horizontalAdvance(text) <= width) return font;
        }
    }
    QFont font(QStringLiteral("DejaVu Sans Condensed"));
    font.setPixelSize(7);
    font.setBold(bold);
    return font;
}

// Where the texts go inside each shape.
struct TextPlace {
    QRectF label, note;
};

TextPlace PlaceText(Shape shape, bool hasNote)
{
    switch (shape) {
    case Shape::Terminal: return {QRectF(10, 3, 44, 26), {}};
    case Shape::Call: return {QRectF(10, 3, 44, 26), {}};
    case Shape::Pointer: return {QRectF(19, 3, 26, 26), {}};
    case Shape::Decision: return {QRectF(18, 8, 28, 16), {}};
    case Shape::Text: return {QRectF(4, 3, 56, 21), {}};
    case Shape::Jump:
        return hasNote ? TextPlace{QRectF(8, 3, 48, 14), QRectF(20, 17, 24, 9)} : TextPlace{QRectF(8, 3, 48, 18), {}};
    case Shape::Code:
        return hasNote ? TextPlace{QRectF(8, 3, 52, 15), QRectF(8, 18, 52, 10)} : TextPlace{QRectF(8, 3, 52, 26), {}};
    case Shape::Function:
        return hasNote ? TextPlace{QRectF(5, 3, 54, 15), QRectF(5, 18, 54, 10)} : TextPlace{QRectF(5, 3, 54, 26), {}};
    }
    return {};
}

void DrawBadge(QPainter& p, const QColor& color, const char* mark)
{
    const QRectF disc(50.5, 1.5, 12, 12);
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(color);
    p.drawEllipse(disc);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(10);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(disc, Qt::AlignCenter, QString::fromLatin1(mark));
}

QImage SymbolPicture(const SymbolArt& art)
{
    QImage image(kSymbolWidth, kSymbolHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const Palette& pal = PaletteOf(art);
    const bool missing = art.look == Look::Missing;
    const qreal strokeWidth = art.look == Look::Error ? 2.0 : 1.0;

    // Stubs to the pins.
    p.setPen(Qt::NoPen);
    p.setBrush(pal.stroke);
    if (art.stubs & kTop) p.drawRect(QRectF(31, 0, 2, 3));
    if (art.stubs & kBottom) p.drawRect(QRectF(31, 29, 2, 3));

    const QPainterPath outline = Outline(art.shape);
    p.setBrush(pal.fill);
    p.setPen(Qt::NoPen);
    p.drawPath(outline);

    // Inner details of some shapes.
    p.setPen(QPen(pal.stroke, 1));
    if (art.shape == Shape::Call) {
        p.drawLine(QPointF(7.5, 2.5), QPointF(7.5, 29.5));
        p.drawLine(QPointF(56.5, 2.5), QPointF(56.5, 29.5));
    } else if (art.shape == Shape::Code) {
        p.fillRect(QRectF(3, 3, 3, 26), missing ? pal.fill : pal.stroke);
    }

    QPen pen(pal.stroke, strokeWidth);
    if (missing) pen.setDashPattern({2, 2});
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    if (strokeWidth > 1) {
        // A 2-pixel line sits between pixel edges: the outline moves half a
        // pixel inwards.
        QTransform inwards;
        inwards.translate(32, 16);
        inwards.scale(58.0 / 59.0, 26.0 / 27.0);
        inwards.translate(-32, -16);
        p.drawPath(inwards.map(outline));
    } else {
        p.drawPath(outline);
    }

    const QString label = QString::fromLatin1(art.label);
    const QString note = QString::fromLatin1(art.note);
    const TextPlace place = PlaceText(art.shape, !note.isEmpty());
    const int labelSize = note.isEmpty() && art.shape != Shape::Pointer ? 12 : 11;
    p.setPen(pal.text);
    p.setFont(FitFont(label, art.shape == Shape::Pointer ? 15 : labelSize, place.label.width(), true));
    p.drawText(place.label, Qt::AlignCenter, label);
    if (!note.isEmpty()) {
        p.setFont(FitFont(note, 8, place.note.width(), false));
        p.drawText(place.note, Qt::AlignHCenter | Qt::AlignTop, note);
    }

    if (art.look == Look::Error) DrawBadge(p, kError.stroke, "!");
    if (missing) DrawBadge(p, kMissing.stroke, "?");
    p.end();
    return image;
}

// The pins: a wedge pointing down for the top and bottom pins (8 x 5) and
// one pointing right for the side exit (5 x 8), drawn pixel by pixel.
QImage PinPicture(bool side)
{
    const int w = side ? 5 : 8;
    const int h = side ? 8 : 5;
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const QRgb ink = kInk.rgb();
    // Row r of the wedge (along the flow) covers columns r .. 7 - r across
    // it; the tip stays two pixels wide.
    for (int along = 0; along < 5; ++along) {
        const int from = std::min(along, 3);
        const int to = 7 - from;
        for (int across = from; across <= to; ++across) {
            if (side) {
                image.setPixel(along, across, ink);
            } else {
                image.setPixel(across, along, ink);
            }
        }
    }
    return image;
}

// ---------------------------------------------------------------------------
// Toolbar buttons: one 16 x 15 picture per button, side by side in the order
// of the toolbar's buttons, drawn on a transparent ground.

const QColor kPaper(0xfb, 0xfc, 0xfd);
const QColor kFolder(0xf2, 0xc1, 0x4e);
const QColor kFolderDark(0x9a, 0x6b, 0x0c);
const QColor kGo(0x2e, 0x8b, 0x57);
const QColor kBox(0x3b, 0x4a, 0x5a);

using ButtonPainter = void (*)(QPainter&);

QImage ToolbarStrip(std::initializer_list<ButtonPainter> buttons)
{
    QImage image(16 * static_cast<int>(buttons.size()), 15, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    int x = 0;
    for (ButtonPainter paint : buttons) {
        p.save();
        p.translate(x, 0);
        p.setClipRect(0, 0, 16, 15);
        paint(p);
        p.restore();
        x += 16;
    }
    p.end();
    return image;
}

void Pen(QPainter& p, const QColor& color, qreal width = 1)
{
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
}

// A sheet with its top-right corner folded down.
void Sheet(QPainter& p, int left, int top, int width, int height)
{
    const int r = left + width - 1;
    const int b = top + height - 1;
    const QPolygon outline({QPoint(left, top), QPoint(r - 3, top), QPoint(r, top + 3), QPoint(r, b), QPoint(left, b)});
    p.setBrush(kPaper);
    Pen(p, kInk);
    p.drawPolygon(outline);
    p.drawLine(r - 3, top, r - 3, top + 3);
    p.drawLine(r - 3, top + 3, r, top + 3);
}

// The controller: a dark case with a lamp and two keys.
void Controller(QPainter& p, int left, int top, int width, int height)
{
    p.setBrush(kBox);
    Pen(p, kInk);
    p.drawRect(left, top, width - 1, height - 1);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x7c, 0xe0, 0x8c));
    p.drawRect(left + 2, top + 2, 2, 2);
    p.setBrush(QColor(0xc9, 0xd3, 0xdd));
    p.drawRect(left + width - 5, top + height - 4, 2, 1);
    p.drawRect(left + width - 8, top + height - 4, 2, 1);
}

void NewButton(QPainter& p)
{
    Sheet(p, 3, 1, 10, 13);
}

void OpenButton(QPainter& p)
{
    Pen(p, kFolderDark);
    p.setBrush(kFolder.darker(115));
    p.drawPolygon(QPolygon({QPoint(1, 3), QPoint(5, 3), QPoint(6, 4), QPoint(12, 4), QPoint(12, 12), QPoint(1, 12)}));
    p.setBrush(kFolder);
    p.drawPolygon(QPolygon({QPoint(3, 7), QPoint(15, 7), QPoint(12, 12), QPoint(1, 12)}));
}

void SaveButton(QPainter& p)
{
    Pen(p, kInk);
    p.setBrush(kSteel);
    p.drawPolygon(QPolygon({QPoint(1, 1), QPoint(13, 1), QPoint(14, 2), QPoint(14, 13), QPoint(1, 13)}));
    p.setBrush(kPaper);
    p.drawRect(3, 1, 8, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xc9, 0xd3, 0xdd));
    p.drawRect(4, 9, 7, 4);
    p.setBrush(kInk);
    p.drawRect(8, 10, 2, 2);
}

void CutButton(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kSteel, 1.4));
    p.drawLine(QPointF(4.5, 1), QPointF(10, 9.5));
    p.drawLine(QPointF(11.5, 1), QPointF(6, 9.5));
    p.setPen(QPen(kInk, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(4.5, 11.5), 2.5, 2.5);
    p.drawEllipse(QPointF(11.5, 11.5), 2.5, 2.5);
}

void CopyButton(QPainter& p)
{
    Sheet(p, 1, 1, 9, 10);
    Sheet(p, 6, 4, 9, 10);
}

void PasteButton(QPainter& p)
{
    Pen(p, kFolderDark);
    p.setBrush(QColor(0xc0, 0x8a, 0x4a));
    p.drawRect(1, 2, 10, 12);
    p.setBrush(QColor(0xc9, 0xd3, 0xdd));
    Pen(p, kInk);
    p.drawRect(4, 1, 4, 2);
    Sheet(p, 6, 5, 9, 10);
}

void PrintButton(QPainter& p)
{
    Pen(p, kInk);
    p.setBrush(kPaper);
    p.drawRect(4, 1, 8, 5);
    p.setBrush(QColor(0xc9, 0xd3, 0xdd));
    p.drawRect(1, 6, 14, 6);
    p.setBrush(kPaper);
    p.drawRect(4, 10, 8, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(kGo);
    p.drawRect(12, 8, 2, 1);
}

void AboutButton(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kSteel.darker(130), 1));
    p.setBrush(kSteel);
    p.drawEllipse(QRectF(1.5, 1, 13, 13));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(7, 3.2, 2, 2));
    p.drawRect(QRectF(7, 6.5, 2, 5));
}

// Context help: the arrow of the pointer and a question mark.
void HelpButton(QPainter& p)
{
    Pen(p, kInk);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygon({QPoint(1, 1), QPoint(1, 12), QPoint(4, 9), QPoint(6, 13), QPoint(8, 12), QPoint(6, 8),
                            QPoint(9, 8)}));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(10);
    font.setBold(true);
    p.setFont(font);
    p.setPen(kSteel);
    p.drawText(QRect(9, 0, 7, 11), Qt::AlignCenter, QStringLiteral("?"));
}

void AlignButton(QPainter& p)
{
    Pen(p, kInk);
    p.drawLine(1, 0, 1, 14);
    p.setBrush(kAccent);
    p.drawRect(2, 2, 11, 2);
    p.setBrush(kSteel);
    p.drawRect(2, 6, 7, 2);
    p.setBrush(kGo);
    p.drawRect(2, 10, 12, 2);
}

void Arrow(QPainter& p, QPoint from, QPoint to)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kGo, 2, Qt::SolidLine, Qt::FlatCap));
    const QPointF a(from);
    const QPointF b(to);
    const QPointF d = (b - a) / std::hypot(b.x() - a.x(), b.y() - a.y());
    const QPointF n(-d.y(), d.x());
    p.drawLine(a, b - d * 3);
    p.setPen(Qt::NoPen);
    p.setBrush(kGo);
    p.drawPolygon(QPolygonF({b + d, b - d * 4 + n * 3.5, b - d * 4 - n * 3.5}));
    p.setRenderHint(QPainter::Antialiasing, false);
}

// Read: the program comes up out of the controller.
void ReadButton(QPainter& p)
{
    Controller(p, 1, 8, 14, 7);
    Arrow(p, QPoint(8, 8), QPoint(8, 0));
}

// Write: the program goes down into the controller.
void WriteButton(QPainter& p)
{
    Controller(p, 1, 8, 14, 7);
    Arrow(p, QPoint(8, 0), QPoint(8, 7));
}

void VerifyButton(QPainter& p)
{
    Controller(p, 1, 8, 14, 7);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kGo, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(4, 3.5), QPointF(7, 6.5), QPointF(13, 0.5)}));
}

void DiagnosisButton(QPainter& p)
{
    Controller(p, 1, 8, 11, 7);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 1.3));
    p.setBrush(QColor(0xdf, 0xeb, 0xfa, 200));
    p.drawEllipse(QPointF(10, 5), 4, 4);
    p.setPen(QPen(kAccent, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(12.8, 7.8), QPointF(15, 10.5));
}

// Monitoring: a screen that shows a running curve.
void MonitorButton(QPainter& p)
{
    Pen(p, kInk);
    p.setBrush(kBox);
    p.drawRect(1, 1, 13, 10);
    p.setBrush(QColor(0xc9, 0xd3, 0xdd));
    p.drawRect(5, 12, 5, 2);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x7c, 0xe0, 0x8c), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(2.5, 8), QPointF(5, 8), QPointF(7, 3.5), QPointF(9, 8.5), QPointF(11, 5),
                              QPointF(13, 5)}));
}

// The default position: a cross-hair on its mark.
void DefaultPositionButton(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kSteel, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(8, 7.5), 5, 5);
    p.setPen(QPen(kInk, 1));
    p.drawLine(QPointF(8, 0.5), QPointF(8, 14.5));
    p.drawLine(QPointF(1, 7.5), QPointF(15, 7.5));
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawEllipse(QPointF(8, 7.5), 2, 2);
}

void LineButton(QPainter& p)
{
    Pen(p, kInk);
    p.drawLine(2, 13, 13, 2);
}

void RectangleButton(QPainter& p)
{
    Pen(p, kInk);
    p.setBrush(Qt::NoBrush);
    p.drawRect(1, 3, 13, 9);
}

void OvalButton(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(1.5, 3.5, 13, 8));
}

void WidthButton(QPainter& p, int width)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawRect(1, 7 - width / 2, 14, width);
}

void ThinLineButton(QPainter& p) { WidthButton(p, 1); }
void MediumLineButton(QPainter& p) { WidthButton(p, 2); }
void ThickLineButton(QPainter& p) { WidthButton(p, 4); }

void ColorBar(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xc6, 0x28, 0x28));
    p.drawRect(1, 12, 5, 3);
    p.setBrush(kGo);
    p.drawRect(6, 12, 5, 3);
    p.setBrush(kSteel);
    p.drawRect(11, 12, 4, 3);
}

// Line colour: a pen over the colours.
void LineColorButton(QPainter& p)
{
    ColorBar(p);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 1));
    p.setBrush(kFolder);
    p.drawPolygon(QPolygonF({QPointF(3, 10), QPointF(4, 7.5), QPointF(11, 0.5), QPointF(13, 2.5), QPointF(6, 9.5)}));
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({QPointF(3, 10), QPointF(3.6, 8.6), QPointF(4.4, 9.4)}));
}

// Fill colour: a tipped bucket over the colours.
void BrushColorButton(QPainter& p)
{
    ColorBar(p);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(0xc9, 0xd3, 0xdd));
    p.drawPolygon(QPolygonF({QPointF(3, 5), QPointF(8, 0.5), QPointF(13, 5.5), QPointF(8, 10.5)}));
    p.setPen(Qt::NoPen);
    p.setBrush(kSteel);
    p.drawEllipse(QPointF(13.5, 8.5), 1.5, 2);
}

// ---------------------------------------------------------------------------
// Workspace tree items: 16 x 16 on a transparent ground.

const QColor kTitleBlue(0x2a, 0x5e, 0x9e);

QImage TreeIcon(ButtonPainter paint)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    paint(p);
    p.end();
    return image;
}

// A folder with its tab at the back, closed.
void ClosedFolder(QPainter& p)
{
    Pen(p, kFolderDark);
    p.setBrush(kFolder.darker(110));
    p.drawPolygon(QPolygon({QPoint(1, 3), QPoint(6, 3), QPoint(7, 4), QPoint(14, 4), QPoint(14, 13), QPoint(1, 13)}));
    p.setBrush(kFolder);
    p.drawRect(1, 6, 13, 7);
    p.setPen(QColor(0xfb, 0xe3, 0x9a));
    p.drawLine(2, 7, 13, 7);
}

// The same folder opened: the front leans forward over the back.
void OpenFolder(QPainter& p)
{
    Pen(p, kFolderDark);
    p.setBrush(kFolder.darker(115));
    p.drawPolygon(QPolygon({QPoint(1, 3), QPoint(6, 3), QPoint(7, 4), QPoint(13, 4), QPoint(13, 13), QPoint(1, 13)}));
    p.setBrush(kPaper);
    Pen(p, kSteel);
    p.drawRect(3, 5, 8, 4);
    Pen(p, kFolderDark);
    p.setBrush(kFolder);
    p.drawPolygon(QPolygon({QPoint(4, 8), QPoint(15, 8), QPoint(13, 13), QPoint(1, 13)}));
}

// A chart window: a blue title bar over a sheet with two steps and their
// wire.
void ChartWindow(QPainter& p)
{
    Pen(p, kInk);
    p.setBrush(kPaper);
    p.drawRect(0, 1, 15, 13);
    p.setPen(Qt::NoPen);
    p.setBrush(kTitleBlue);
    p.drawRect(1, 2, 14, 3);
    p.setBrush(QColor(0xdf, 0xeb, 0xfa));
    p.drawRect(12, 3, 2, 1);
    Pen(p, kGo);
    p.setBrush(QColor(0xe2, 0xf3, 0xe5));
    p.drawRect(4, 6, 7, 2);
    p.drawLine(7, 9, 7, 9);
    Pen(p, kTitleBlue);
    p.setBrush(QColor(0xdf, 0xeb, 0xfa));
    p.drawRect(4, 10, 7, 2);
}

// ---------------------------------------------------------------------------
// Symbol palette: the group buttons (45 x 20, normal and selected), the row
// scroll buttons (33 x 15, up and pressed) and the connect button (57 x 36,
// up, down and each with the focus). Faces are raised or sunken panels with
// a one-pixel bevel; the group colours are those of the symbol pictures.

const QColor kFace(0xe4, 0xe7, 0xeb);
const QColor kLight(0xff, 0xff, 0xff);
const QColor kShade(0x8a, 0x93, 0x9c);
const QColor kDark(0x3d, 0x44, 0x4c);

// A panel with a two-step bevel: light above and left when raised, below and
// right when sunken.
void Panel(QPainter& p, const QRect& r, bool sunken, const QColor& fill)
{
    p.fillRect(r, fill);
    const QColor outerTl = sunken ? kDark : kLight;
    const QColor outerBr = sunken ? kLight : kDark;
    const QColor innerTl = sunken ? kShade : fill.lighter(108);
    const QColor innerBr = sunken ? fill.lighter(104) : kShade;
    const int l = r.left(), t = r.top(), rr = r.right(), b = r.bottom();
    p.setPen(outerTl);
    p.drawLine(l, t, rr - 1, t);
    p.drawLine(l, t, l, b - 1);
    p.setPen(outerBr);
    p.drawLine(l, b, rr, b);
    p.drawLine(rr, t, rr, b);
    p.setPen(innerTl);
    p.drawLine(l + 1, t + 1, rr - 2, t + 1);
    p.drawLine(l + 1, t + 1, l + 1, b - 2);
    p.setPen(innerBr);
    p.drawLine(l + 1, b - 1, rr - 1, b - 1);
    p.drawLine(rr - 1, t + 1, rr - 1, b - 1);
}

QImage PaletteGroupButton(const Palette& group, const char* name, bool selected)
{
    QImage image(45, 20, QImage::Format_RGB32);
    QPainter p(&image);
    Panel(p, QRect(0, 0, 45, 20), selected, selected ? group.fill : kFace);
    const int shift = selected ? 1 : 0;
    // Selected, a bar of the group's colour under the name.
    if (selected) p.fillRect(QRect(6 + shift, 15 + shift, 32, 2), group.stroke);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setBold(true);
    font.setHintingPreference(QFont::PreferFullHinting);
    p.setFont(font);
    p.setPen(selected ? group.text : group.stroke);
    p.drawText(QRectF(2 + shift, 1 + shift, 41, selected ? 14 : 17), Qt::AlignCenter, QString::fromLatin1(name));
    p.end();
    return image;
}

// A wide arrow head pointing up or down.
QImage PaletteScrollButton(bool up, bool pressed)
{
    QImage image(33, 15, QImage::Format_RGB32);
    QPainter p(&image);
    Panel(p, QRect(0, 0, 33, 15), pressed, kFace);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal shift = pressed ? 1 : 0;
    const qreal cx = 16.5 + shift;
    const qreal cy = 7.5 + shift;
    QPolygonF head = up ? QPolygonF({{cx - 6, cy + 3}, {cx, cy - 3}, {cx + 6, cy + 3}})
                        : QPolygonF({{cx - 6, cy - 3}, {cx, cy + 3}, {cx + 6, cy - 3}});
    p.setPen(QPen(kInk, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kInk);
    p.drawPolygon(head);
    p.end();
    return image;
}

// Two pins joined by a routed wire; down, the face sinks and takes the
// accent's light tint, as the wire tool is the current tool.
QImage PaletteConnectButton(bool down, bool focus)
{
    QImage image(57, 36, QImage::Format_RGB32);
    QPainter p(&image);
    Panel(p, QRect(0, 0, 57, 36), down, down ? QColor(0xfc, 0xe6, 0xcf) : kFace);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = down ? 1 : 0;
    const QColor wire = down ? kAccent.darker(130) : kSteel;
    // The two symbols the wire joins: a small box above left, one below
    // right, each with its pin.
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(0xdf, 0xeb, 0xfa));
    p.drawRect(QRectF(8.5 + s, 5.5 + s, 14, 8));
    p.drawRect(QRectF(34.5 + s, 22.5 + s, 14, 8));
    p.setPen(QPen(wire, 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath route;
    route.moveTo(15.5 + s, 14 + s);
    route.lineTo(15.5 + s, 18 + s);
    route.lineTo(41.5 + s, 18 + s);
    route.lineTo(41.5 + s, 22 + s);
    p.drawPath(route);
    p.setPen(Qt::NoPen);
    p.setBrush(wire);
    p.drawEllipse(QPointF(15.5 + s, 14.5 + s), 2, 2);
    p.drawPolygon(QPolygonF({{38 + s, 19.5 + s}, {45 + s, 19.5 + s}, {41.5 + s, 23 + s}}));
    if (focus) {
        p.setRenderHint(QPainter::Antialiasing, false);
        QPen dots(kInk, 1, Qt::CustomDashLine);
        dots.setDashPattern({1, 1});
        p.setPen(dots);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(4 + static_cast<int>(s), 4 + static_cast<int>(s), 48, 27));
    }
    p.end();
    return image;
}

// Axis parameter dialogs: the ring buttons step to the dialog before or
// after, drawn as a bold arrow on a small turning track.
QImage RingArrow(bool forward)
{
    QImage image(24, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (!forward) {
        // The back arrow is the forward one mirrored.
        p.translate(24, 0);
        p.scale(-1, 1);
    }
    // The track: most of a ring, open where the arrow leaves it.
    p.setPen(QPen(kSteel, 1.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(2.5, 2.5, 11, 11), 60 * 16, 260 * 16);
    // The arrow.
    const QPolygonF arrow({{6, 6}, {14, 6}, {14, 2.5}, {21.5, 8}, {14, 13.5}, {14, 10}, {6, 10}});
    p.setPen(QPen(kInk, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kAccent);
    p.drawPolygon(arrow);
    p.end();
    return image;
}

// Dog switch options of the zero return: the switch signal as the dog passes
// it, with the edge that starts the count marked (front end: the rising
// edge; rear end: the falling one) and the direction of travel above.
QImage DogSwitchEdge(bool rearEnd)
{
    QImage image(56, 24, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // The signal: low, high while the dog presses the switch, low again.
    const qreal low = 20.5;
    const qreal high = 9.5;
    const qreal rise = 16.5;
    const qreal fall = 38.5;
    p.setPen(QPen(kInk, 1.2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(QColor(0xdf, 0xeb, 0xfa));
    p.drawPolygon(QPolygonF({{rise, low}, {rise, high}, {fall, high}, {fall, low}}));
    p.drawLine(QPointF(2, low), QPointF(54, low));
    // The counted edge.
    const qreal edge = rearEnd ? fall : rise;
    p.setPen(QPen(kAccent, 3, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(edge, low), QPointF(edge, high));
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawEllipse(QPointF(edge, high), 2.5, 2.5);
    // Travel: the dog moves from left to right.
    p.setPen(QPen(kSteel, 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4, 4), QPointF(13, 4));
    p.setPen(Qt::NoPen);
    p.setBrush(kSteel);
    p.drawPolygon(QPolygonF({{15, 4}, {11, 1.5}, {11, 6.5}}));
    p.end();
    return image;
}

// The picture buttons of the program-text editor: one 16 by 15 picture each.
QImage ButtonPicture(ButtonPainter paint) { return ToolbarStrip({paint}); }

// Clean: a broom that sweeps a line of text away.
void CleanButton(QPainter& p)
{
    Pen(p, QColor(0xc9, 0xd3, 0xdd));
    p.drawLine(1, 13, 6, 13);
    p.drawLine(1, 11, 4, 11);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x8a, 0x5a, 0x2b), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(14.5, 0.5), QPointF(9, 8));
    p.setPen(QPen(kFolderDark, 1));
    p.setBrush(kFolder);
    p.drawPolygon(QPolygonF({QPointF(7, 7), QPointF(11, 10), QPointF(9, 14.5), QPointF(4.5, 14.5)}));
    p.setPen(QPen(kFolderDark, 0.8));
    p.drawLine(QPointF(7.5, 10), QPointF(6.5, 14));
    p.drawLine(QPointF(9.2, 11), QPointF(8.2, 14.2));
}

// Undo and redo: a hooked arrow turning back, or on.
void TurnArrow(QPainter& p, bool back)
{
    p.setRenderHint(QPainter::Antialiasing);
    if (back) {
        p.translate(16, 0);
        p.scale(-1, 1);
    }
    QPainterPath hook;
    hook.moveTo(3, 13);
    hook.cubicTo(1, 6, 6, 3.5, 11, 5);
    p.setPen(QPen(kSteel, 2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(hook);
    p.setPen(QPen(kInk, 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kAccent);
    p.drawPolygon(QPolygonF({QPointF(15, 5.5), QPointF(9.5, 1), QPointF(9.5, 10)}));
}

void UndoButton(QPainter& p) { TurnArrow(p, true); }
void RedoButton(QPainter& p) { TurnArrow(p, false); }

// The relation signs of the compare dialog, 24 by 24: drawn strokes, no
// font, so they look the same on every desktop.
enum class Relation { Greater, GreaterEqual, Equal, NotEqual, LessEqual, Less };

QImage RelationPicture(Relation relation)
{
    QImage image(24, 24, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const bool below = relation == Relation::GreaterEqual || relation == Relation::LessEqual;
    const qreal top = below ? 3.5 : 5.5;
    const qreal bottom = below ? 15.5 : 18.5;
    const qreal middle = (top + bottom) / 2;
    switch (relation) {
    case Relation::Greater:
    case Relation::GreaterEqual:
        p.drawPolyline(QPolygonF({QPointF(6, top), QPointF(18, middle), QPointF(6, bottom)}));
        break;
    case Relation::Less:
    case Relation::LessEqual:
        p.drawPolyline(QPolygonF({QPointF(18, top), QPointF(6, middle), QPointF(18, bottom)}));
        break;
    case Relation::Equal:
    case Relation::NotEqual:
        p.drawLine(QPointF(5, 9), QPointF(19, 9));
        p.drawLine(QPointF(5, 15), QPointF(19, 15));
        break;
    }
    if (below) p.drawLine(QPointF(6, 20), QPointF(18, 20));
    if (relation == Relation::NotEqual) {
        p.setPen(QPen(kAccent, 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(15, 4), QPointF(9, 20));
    }
    return image;
}

void SaveNamed(const QImage& image, const QString& dir, const char* name)
{
    const QString path = dir + QStringLiteral("/%1.png").arg(QString::fromLatin1(name));
    if (!image.save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("src/res/bitmaps");
    QDir().mkpath(dir);
    Save(Logo(), dir, 4088);
    Save(NoticeIcon(), dir, 4093);
    for (const SymbolArt& art : kSymbols) Save(SymbolPicture(art), dir, art.id);
    Save(PinPicture(false), dir, 4073);
    Save(PinPicture(true), dir, 4072);
    // Standard toolbar (the zoom box's slot has no picture), controller and
    // drawing toolbars.
    Save(ToolbarStrip({NewButton, OpenButton, SaveButton, CutButton, CopyButton, PasteButton, PrintButton, AboutButton,
                       HelpButton, AlignButton, ReadButton}),
         dir, 2);
    Save(ToolbarStrip({WriteButton, VerifyButton, DiagnosisButton, MonitorButton, DefaultPositionButton}), dir, 1007);
    Save(ToolbarStrip({LineButton, RectangleButton, OvalButton, ThinLineButton, MediumLineButton, ThickLineButton,
                       LineColorButton, BrushColorButton}),
         dir, 1005);
    SaveNamed(ProgramIcon(48), dir, "PROGRAMICON48");
    SaveNamed(ProgramIcon(256), dir, "PROGRAMICON256");
    // Workspace tree: closed and open folder, chart window.
    Save(TreeIcon(ClosedFolder), dir, 1008);
    Save(TreeIcon(OpenFolder), dir, 1009);
    Save(TreeIcon(ChartWindow), dir, 1010);
    // Symbol palette: group buttons (normal, selected), row scroll buttons
    // and the connect button.
    Save(PaletteGroupButton(kFlow, "Flow", false), dir, 4002);
    Save(PaletteGroupButton(kFlow, "Flow", true), dir, 4001);
    Save(PaletteGroupButton(kCode, "Code", false), dir, 4005);
    Save(PaletteGroupButton(kCode, "Code", true), dir, 4003);
    Save(PaletteGroupButton(kFunc, "Func", false), dir, 4004);
    Save(PaletteGroupButton(kFunc, "Func", true), dir, 4006);
    SaveNamed(PaletteScrollButton(true, false), dir, "BUTTONUPU");
    SaveNamed(PaletteScrollButton(true, true), dir, "BUTTONUPD");
    SaveNamed(PaletteScrollButton(false, false), dir, "BUTTONDOWNU");
    SaveNamed(PaletteScrollButton(false, true), dir, "BUTTONDOWND");
    SaveNamed(PaletteConnectButton(false, false), dir, "BITBTNCONNECTU");
    SaveNamed(PaletteConnectButton(true, false), dir, "BITBTNCONNECTD");
    SaveNamed(PaletteConnectButton(false, true), dir, "BITBTNCONNECTB");
    SaveNamed(PaletteConnectButton(true, true), dir, "BITBTNCONNECTX");
    // Axis parameter dialogs: the dog switch options and the ring buttons.
    Save(DogSwitchEdge(false), dir, 4070);
    Save(DogSwitchEdge(true), dir, 4071);
    Save(RingArrow(true), dir, 4075);
    Save(RingArrow(false), dir, 4076);
    // Program-text editor: Cut, Copy, Paste, Clean, Undo, Redo.
    Save(ButtonPicture(CutButton), dir, 14050);
    Save(ButtonPicture(CopyButton), dir, 14051);
    Save(ButtonPicture(PasteButton), dir, 14052);
    Save(ButtonPicture(CleanButton), dir, 14053);
    Save(ButtonPicture(UndoButton), dir, 14054);
    Save(ButtonPicture(RedoButton), dir, 14055);
    // The compare dialogs' relation signs.
    Save(RelationPicture(Relation::Equal), dir, 4064);
    Save(RelationPicture(Relation::Greater), dir, 4065);
    Save(RelationPicture(Relation::LessEqual), dir, 4066);
    Save(RelationPicture(Relation::Less), dir, 4067);
    Save(RelationPicture(Relation::NotEqual), dir, 4068);
    Save(RelationPicture(Relation::GreaterEqual), dir, 4069);
    return 0;
}
