// Writes the bearing sketch scaled to a given size exactly as the bearing window's label
// scales a picture that does not fit its box (smooth scaling, aspect ratio ignored), so
// that the program can ship the sketch ready for the screen scales that matter.
//
//   scalesketch SOURCE WIDTH HEIGHT OUTPUT.pgm
//
// The sketch is drawn in greys only, and so is every pixel the scaling mixes from them:
// one byte a pixel keeps it exactly, and a binary grey map is read back with no
// decompression at all.

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fputs("usage: scalesketch SOURCE WIDTH HEIGHT OUTPUT.pgm\n", stderr);
        return 2;
    }
    // The picture goes through a pixmap, as the label's does; that needs a platform, and
    // the build has no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int noArguments = 1;
    const QGuiApplication application(noArguments, argv);

    const QString source = QString::fromLocal8Bit(argv[1]);
    const QSize size(QString::fromLatin1(argv[2]).toInt(), QString::fromLatin1(argv[3]).toInt());
    const QPixmap picture(source);
    if (picture.isNull() || size.isEmpty()) {
        std::fprintf(stderr, "scalesketch: cannot read %s or scale it to %s x %s\n", argv[1], argv[2], argv[3]);
        return 1;
    }
    const QImage scaled = picture.toImage().scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (!scaled.allGray()) {
        std::fprintf(stderr, "scalesketch: %s has colours that a grey map would lose\n", argv[1]);
        return 1;
    }
    if (!scaled.convertToFormat(QImage::Format_Grayscale8).save(QString::fromLocal8Bit(argv[4]), "PGM")) {
        std::fprintf(stderr, "scalesketch: cannot write %s\n", argv[4]);
        return 1;
    }
    return 0;
}
