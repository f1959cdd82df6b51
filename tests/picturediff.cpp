// SPDX-License-Identifier: MIT
// Tells how two picture files differ, as Qt's own image readers decode them: how many pixels,
// by how many levels at most, and where the first few are.
//
// usage: picturediff EXPECTED ACTUAL   (exit status 0 when every pixel is the same)

#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: picturediff EXPECTED ACTUAL\n");
        return 2;
    }
    const QImage expected
        = QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_ARGB32);
    const QImage actual
        = QImage(QString::fromLocal8Bit(argv[2])).convertToFormat(QImage::Format_ARGB32);
    if (expected.isNull() || actual.isNull()) {
        std::printf("cannot decode %s\n", expected.isNull() ? argv[1] : argv[2]);
        return 1;
    }
    if (expected.size() != actual.size()) {
        std::printf("%dx%d pixels, expected %dx%d\n", actual.width(), actual.height(),
            expected.width(), expected.height());
        return 1;
    }
    int count = 0, largest = 0;
    QString first;
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            const QRgb e = expected.pixel(x, y), a = actual.pixel(x, y);
            if (e == a)
                continue;
            for (const int shift : { 0, 8, 16, 24 })
                largest = std::max(
                    largest, std::abs(int((e >> shift) & 0xff) - int((a >> shift) & 0xff)));
            if (++count <= 5)
                first += QString::asprintf(" (%d,%d) #%08x for #%08x;", x, y, a, e);
        }
    }
    if (count == 0)
        return 0;
    std::printf("%d pixels differ, by up to %d levels:%s\n", count, largest, qPrintable(first));
    return 1;
}
