// Draws the intro picture and the program's icons with the program's own renderer:
// "NMR" in bold blue over a line spectrum with its ppm axis. Writes, into the folder
// given as the only argument: NMR.png, icons/korva-<size>.png and windows/korva.ico.
//
//   build/tools/korva_make_pictures resources

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <cstdio>
#include <vector>

#include "engine/renderer.h"
#include "engine/spin_systems.h"
#include "platform/qt/picture.h"

namespace {

constexpr int kSide = 512;  // every picture is drawn at this size, then scaled

// A triplet near 4 ppm, its middle line the tallest, and two tall lines near 1 ppm, at
// 60 MHz: 40 columns per ppm on a 512-wide plot with pf 2.
QImage spectrum() {
    const engine::PlotArea area = {.canvaswidth = kSide,
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
    platform::Picture picture(kSide, 330);
    picture.Graphics().DrawingColor(0x010101);
    picture.Graphics().FontSize(34.0f);
    engine::render(picture.Graphics(), lines, area);
    return picture.Image();
}

QImage composition(const QImage& plot, int lineWidth) {
    QImage image(kSide, kSide, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont font("Liberation Sans");
    font.setBold(true);
    font.setPixelSize(150);
    painter.setFont(font);
    painter.setPen(QColor(0x15, 0x3e, 0xc9));
    painter.drawText(QPointF(14, 140), "NMR");
    // Small icons would lose two-pixel lines: thicken them by drawing the plot shifted.
    painter.setCompositionMode(QPainter::CompositionMode_Darken);
    for (int dx = -lineWidth / 2; dx <= lineWidth / 2; ++dx) painter.drawImage(dx, 175, plot);
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

// One icon image as a bottom-up device-independent bitmap with an all-opaque mask.
QByteArray bitmap(const QImage& source, int bits) {
    const QImage image = bits == 8 ? source.convertToFormat(QImage::Format_Indexed8)
                                   : source.convertToFormat(QImage::Format_ARGB32);
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

// 48, 32 and 16 pixels at 8 bits per pixel, then 256 (as PNG), 48, 32 and 16 at 32 bits.
QByteArray icon(const QImage& large, const QImage& small) {
    struct Entry {
        int side, bits;
    };
    const Entry entries[] = {{48, 8}, {32, 8}, {16, 8}, {256, 32}, {48, 32}, {32, 32}, {16, 32}};
    std::vector<QByteArray> images;
    for (const Entry& e : entries) {
        const QImage picture = scaled(e.side >= 256 ? large : small, e.side);
        images.push_back(e.side == 256 ? png(picture) : bitmap(picture, e.bits));
    }
    QByteArray out;
    append16(out, 0);
    append16(out, 1);
    append16(out, quint16(std::size(entries)));
    quint32 offset = 6 + 16 * std::size(entries);
    for (std::size_t i = 0; i < std::size(entries); ++i) {
        const Entry& e = entries[i];
        out.append(char(e.side >= 256 ? 0 : e.side)).append(char(e.side >= 256 ? 0 : e.side));
        out.append(char(e.bits == 8 ? 0 : 0)).append('\0');
        append16(out, 1);
        append16(out, quint16(e.bits));
        append32(out, quint32(images[i].size()));
        append32(out, offset);
        offset += images[i].size();
    }
    for (const QByteArray& image : images) out.append(image);
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
    const QImage plot = spectrum();
    const QImage large = composition(plot, 4);
    const QImage small = composition(plot, 8);
    // The intro window shows the picture 64 pixels square.
    bool ok = scaled(small, 256).save(out.filePath("NMR.png"));
    for (int side : {16, 32, 48, 256}) {
        ok = ok && scaled(side >= 256 ? large : small, side)
                       .save(out.filePath(QString("icons/korva-%1.png").arg(side)));
    }
    ok = ok && write(out.filePath("windows/korva.ico"), icon(large, small));
    return ok ? 0 : 1;
}
