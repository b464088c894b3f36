// Draws the program's own pictures into src/res/bitmaps. Run it after
// changing a picture here; the PNG files it writes are committed.
//   tools/artwork/build.sh && tools/artwork/artwork src/res/bitmaps
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>

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
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("src/res/bitmaps");
    QDir().mkpath(dir);
    Save(Logo(), dir, 4088);
    Save(NoticeIcon(), dir, 4093);
    return 0;
}
