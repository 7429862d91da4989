// Draws the intro picture and the program's icons: "NMR" in bold blue over a line spectrum
// with its axis. Writes, into the folder given as the only argument: NMR.png,
// icons/korva-<size>.png and windows/korva.ico.
//
//   build/tools/korva_make_pictures resources
//
// Each small picture is drawn for its own pixel grid, so that it reads at the size it is
// shown: every straight edge lies on a pixel edge, and only the letters' slants and curves
// are antialiased. The intro picture is the 64-pixel drawing at twice the scale, which the
// intro window shows at 64 pixels (100 %) and at 128 device pixels (200 %): every edge lies
// on an even pixel, so that halving it keeps it sharp. The 256-pixel icon is a large drawing
// of the spectrum with the program's own renderer.

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <vector>

#include "engine/renderer.h"
#include "engine/spin_systems.h"
#include "platform/qt/picture.h"

namespace {

const QColor kBlue(0x15, 0x3e, 0xc9);
const QColor kInk(0x01, 0x01, 0x01);
const QColor kFrame(0x80, 0x80, 0x80);

// "NMR" in a bold geometric hand: upright stems and bars, slanted strokes, a round bowl.
// In the drawing's pixels: the letters' top left, their height, the stems' width, the
// slanted strokes' width across, each letter's width and the gap between letters.
struct Lettering {
    double left, top, height, stem, slant, n, m, r, gap;
};

// One line of the spectrum, standing on the axis: its left column, width and height.
struct Line {
    int left, width, height;
};

// The axis is a row of pixels from left to right; ticks hang below it.
struct Spectrum {
    int axisTop, axisLeft, axisRight, axisThickness;
    std::vector<int> ticks;  // left columns
    int tickWidth, tickLength;
    std::vector<Line> lines;
};

struct Design {
    int side;
    bool framed;  // a one-pixel grey frame, so that the white tile stands out anywhere
    std::optional<Lettering> letters;
    Spectrum spectrum;
};

void drawLetters(QPainter& painter, const Lettering& l) {
    // Each part is filled on its own: where parts overlap, the ink is simply laid twice.
    const auto fill = [&](const QPainterPath& part) { painter.fillPath(part, kBlue); };
    const double top = l.top, bottom = l.top + l.height;
    const auto stem = [&](double x) {
        QPainterPath p;
        p.addRect(x, top, l.stem, l.height);
        fill(p);
    };
    // A slanted stroke from its upper to its lower end, l.slant wide along each row.
    const auto stroke = [&](double fromLeft, double fromTop, double toLeft, double toTop) {
        QPainterPath p;
        p.moveTo(fromLeft, fromTop);
        p.lineTo(fromLeft + l.slant, fromTop);
        p.lineTo(toLeft + l.slant, toTop);
        p.lineTo(toLeft, toTop);
        p.closeSubpath();
        fill(p);
    };
    double x = l.left;
    // N: two stems, a stroke from the top left to the bottom right.
    stem(x);
    stem(x + l.n - l.stem);
    stroke(x, top, x + l.n - l.slant, bottom);
    x += l.n + l.gap;
    // M: two stems, two strokes meeting at the foot in the middle.
    stem(x);
    stem(x + l.m - l.stem);
    const double middle = x + (l.m - l.slant) / 2;
    stroke(x, top, middle, bottom);
    stroke(x + l.m - l.slant, top, middle, bottom);
    x += l.m + l.gap;
    // R: a stem, a bowl over the upper half, round on the right, and a leg from its foot.
    stem(x);
    const double bowl = std::round(l.height * 0.55), bar = std::round(l.stem * 0.9);
    QPainterPath outer;
    outer.addRoundedRect(x, top, l.r, bowl, bowl / 2, bowl / 2);
    outer.addRect(x, top, l.r / 2, bowl);  // square on the left, where the stem is
    QPainterPath inner;
    const double hole = bowl - 2 * bar;
    inner.addRoundedRect(x + l.stem - hole, top + bar, l.r - 2 * l.stem + hole, hole, hole / 2,
                         hole / 2);
    inner.addRect(x, top + bar, l.r / 2, hole);
    outer.setFillRule(Qt::WindingFill);
    inner.setFillRule(Qt::WindingFill);
    fill(outer.simplified().subtracted(inner.simplified()));
    stroke(x + std::round(l.r * 0.3), top + bowl - bar, x + l.r - l.slant, bottom);
}

void drawSpectrum(QPainter& painter, const Spectrum& s) {
    const int axisWidth = s.axisRight - s.axisLeft;
    painter.fillRect(s.axisLeft, s.axisTop, axisWidth, s.axisThickness, kInk);
    for (int tick : s.ticks) {
        painter.fillRect(tick, s.axisTop + s.axisThickness, s.tickWidth, s.tickLength, kInk);
    }
    for (const Line& line : s.lines) {
        painter.fillRect(line.left, s.axisTop - line.height, line.width, line.height, kInk);
    }
}

// The design drawn at a whole multiple of its size: each of its pixels becomes a square of
// scale x scale pixels, and the letters are antialiased at the finer grid.
QImage draw(const Design& d, int scale) {
    QImage image(d.side * scale, d.side * scale, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    if (d.framed) {
        painter.fillRect(0, 0, d.side, 1, kFrame);
        painter.fillRect(0, d.side - 1, d.side, 1, kFrame);
        painter.fillRect(0, 0, 1, d.side, kFrame);
        painter.fillRect(d.side - 1, 0, 1, d.side, kFrame);
    }
    drawSpectrum(painter, d.spectrum);
    if (d.letters) {
        painter.setRenderHint(QPainter::Antialiasing);
        drawLetters(painter, *d.letters);
    }
    return image;
}

// Each design shows a 1:2:1 triplet and two tall lines, as the large drawing does. The intro
// picture's is drawn at twice its size.
const Design kIntro = {
    .side = 64,
    .framed = false,
    .letters = Lettering{.left = 2,
                         .top = 3,
                         .height = 22,
                         .stem = 4,
                         .slant = 5,
                         .n = 17,
                         .m = 21,
                         .r = 16,
                         .gap = 3},
    .spectrum = {.axisTop = 56,
                 .axisLeft = 3,
                 .axisRight = 61,
                 .axisThickness = 1,
                 .ticks = {7, 19, 31, 43, 55},
                 .tickWidth = 1,
                 .tickLength = 3,
                 .lines = {{10, 2, 12}, {14, 2, 24}, {18, 2, 12}, {40, 2, 22}, {45, 2, 22}}},
};

const Design kIcon48 = {
    .side = 48,
    .framed = true,
    .letters = Lettering{.left = 3,
                         .top = 4,
                         .height = 15,
                         .stem = 3,
                         .slant = 3.5,
                         .n = 12,
                         .m = 15,
                         .r = 11,
                         .gap = 2},
    .spectrum = {.axisTop = 41,
                 .axisLeft = 3,
                 .axisRight = 45,
                 .axisThickness = 1,
                 .ticks = {6, 15, 24, 33, 42},
                 .tickWidth = 1,
                 .tickLength = 2,
                 .lines = {{8, 2, 7}, {12, 2, 14}, {16, 2, 7}, {29, 2, 13}, {33, 2, 13}}},
};

const Design kIcon32 = {
    .side = 32,
    .framed = true,
    .letters = Lettering{.left = 3,
                         .top = 3,
                         .height = 10,
                         .stem = 2,
                         .slant = 2.5,
                         .n = 8,
                         .m = 10,
                         .r = 7,
                         .gap = 1},
    .spectrum = {.axisTop = 28,
                 .axisLeft = 2,
                 .axisRight = 30,
                 .axisThickness = 1,
                 .ticks = {4, 10, 16, 22, 28},
                 .tickWidth = 1,
                 .tickLength = 1,
                 .lines = {{6, 1, 5}, {9, 1, 10}, {12, 1, 5}, {20, 1, 9}, {23, 1, 9}}},
};

// Too small for letters: the spectrum alone.
const Design kIcon16 = {
    .side = 16,
    .framed = true,
    .letters = std::nullopt,
    .spectrum = {.axisTop = 13,
                 .axisLeft = 2,
                 .axisRight = 14,
                 .axisThickness = 1,
                 .ticks = {},
                 .tickWidth = 0,
                 .tickLength = 0,
                 .lines = {{3, 1, 4}, {5, 1, 9}, {7, 1, 4}, {10, 1, 8}, {12, 1, 8}}},
};

constexpr int kLargeSide = 512;  // the large drawing is drawn at this size, then scaled

// A triplet near 4 ppm, its middle line the tallest, and two tall lines near 1 ppm, at
// 60 MHz: 40 columns per ppm on a 512-wide plot with pf 2.
QImage spectrum() {
    const engine::PlotArea area = {.canvaswidth = kLargeSide,
                                   .canvasheight = 330,
                                   .pf = 2,
                                   .MHZ = 60,
                                   .SPECWIDTH = 6.4f,
                                   .s = 0.0f};
    const float given[][2] = {
        {168.0f, 1.0f}, {180.0f, 2.0f}, {192.0f, 1.0f}, {-7.0f, 1.7f}, {7.0f, 1.7f}};
    engine::LineList lines;
    for (const auto& [x, y] : given) {
        ++lines.N;
        lines.x[lines.N] = x;
        lines.y[lines.N] = y;
    }
    platform::Picture picture(kLargeSide, 330);
    picture.Graphics().DrawingColor(0x010101);
    picture.Graphics().FontSize(34.0f);
    engine::render(picture.Graphics(), lines, area);
    return picture.Image();
}

// The large drawing: two-pixel lines, thickened by drawing the plot shifted.
QImage large() {
    QImage image(kLargeSide, kLargeSide, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont font("Liberation Sans");
    font.setBold(true);
    font.setPixelSize(150);
    painter.setFont(font);
    painter.setPen(kBlue);
    painter.drawText(QPointF(14, 140), "NMR");
    painter.setCompositionMode(QPainter::CompositionMode_Darken);
    const QImage plot = spectrum();
    for (int dx = -2; dx <= 2; ++dx) painter.drawImage(dx, 175, plot);
    return image;
}

QImage scaled(const QImage& image, int side) {
    return image.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void append16(QByteArray& out, quint16 v) { out.append(char(v & 0xFF)).append(char(v >> 8)); }
void append32(QByteArray& out, quint32 v) {
    append16(out, quint16(v & 0xFFFF));
    append16(out, quint16(v >> 16));
}

// The image with a colour table. Qt's own conversion maps the colours to a fixed table
// and dithers; an image of at most 256 colours keeps them exactly in a table of its own.
QImage indexed(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    QList<QRgb> table;
    for (int y = 0; y < image.height() && table.size() <= 256; ++y) {
        for (int x = 0; x < image.width() && table.size() <= 256; ++x) {
            if (!table.contains(image.pixel(x, y))) table.push_back(image.pixel(x, y));
        }
    }
    return table.size() <= 256 ? image.convertToFormat(QImage::Format_Indexed8, table)
                               : image.convertToFormat(QImage::Format_Indexed8);
}

// One icon image as a bottom-up device-independent bitmap with an all-opaque mask.
QByteArray bitmap(const QImage& source, int bits) {
    const QImage image =
        bits == 8 ? indexed(source) : source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width(), h = image.height();
    QByteArray out;
    append32(out, 40);
    append32(out, quint32(w));
    append32(out, quint32(2 * h));  // colour rows and mask rows
    append16(out, 1);
    append16(out, quint16(bits));
    append32(out, 0);
    append32(out, 0);
    append32(out, 0);
    append32(out, 0);
    append32(out, bits == 8 ? 256 : 0);
    append32(out, 0);
    if (bits == 8) {
        const auto table = image.colorTable();
        for (int i = 0; i < 256; ++i) {
            const QRgb c = i < table.size() ? table[i] : 0;
            out.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c))).append('\0');
        }
    }
    const int rowBytes = ((w * bits + 31) / 32) * 4;
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(reinterpret_cast<const char*>(image.constScanLine(y)), w * bits / 8);
        row.resize(rowBytes, '\0');
        out.append(row);
    }
    const int maskBytes = ((w + 31) / 32) * 4;
    out.append(QByteArray(maskBytes * h, '\0'));
    return out;
}

QByteArray png(const QImage& image) {
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return out;
}

// 48, 32 and 16 pixels at 8 bits per pixel, then 256 (as PNG), 48, 32 and 16 at 32 bits: the
// images of the PNG icons, each of its own size.
QByteArray icon(const std::map<int, QImage>& images) {
    struct Entry {
        int side, bits;
    };
    const Entry entries[] = {{48, 8}, {32, 8}, {16, 8}, {256, 32}, {48, 32}, {32, 32}, {16, 32}};
    std::vector<QByteArray> encoded;
    for (const Entry& e : entries) {
        const QImage& picture = images.at(e.side);
        encoded.push_back(e.side == 256 ? png(picture) : bitmap(picture, e.bits));
    }
    QByteArray out;
    append16(out, 0);
    append16(out, 1);
    append16(out, quint16(std::size(entries)));
    quint32 offset = 6 + 16 * std::size(entries);
    for (std::size_t i = 0; i < std::size(entries); ++i) {
        const Entry& e = entries[i];
        out.append(char(e.side >= 256 ? 0 : e.side)).append(char(e.side >= 256 ? 0 : e.side));
        out.append('\0').append('\0');
        append16(out, 1);
        append16(out, quint16(e.bits));
        append32(out, quint32(encoded[i].size()));
        append32(out, offset);
        offset += encoded[i].size();
    }
    for (const QByteArray& image : encoded) out.append(image);
    return out;
}

bool write(const QString& path, const QByteArray& data) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <resources folder>\n", argv[0]);
        return 2;
    }
    const QDir out(argv[1]);
    out.mkpath("icons");
    out.mkpath("windows");
    const std::map<int, QImage> icons = {{16, draw(kIcon16, 1)},
                                         {32, draw(kIcon32, 1)},
                                         {48, draw(kIcon48, 1)},
                                         {256, scaled(large(), 256)}};
    bool ok = draw(kIntro, 2).save(out.filePath("NMR.png"));
    for (const auto& [side, image] : icons) {
        ok = ok && image.save(out.filePath(QString("icons/korva-%1.png").arg(side)));
    }
    ok = ok && write(out.filePath("windows/korva.ico"), icon(icons));
    return ok ? 0 : 1;
}
