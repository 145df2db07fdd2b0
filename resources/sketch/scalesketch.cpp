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

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv, argv + argc);
    if (arguments.size() != 5) {
        std::cerr << "usage: scalesketch SOURCE WIDTH HEIGHT OUTPUT.pgm\n";
        return 2;
    }
    const QString source = QString::fromStdString(arguments[1]);
    const QSize size(QString::fromStdString(arguments[2]).toInt(), QString::fromStdString(arguments[3]).toInt());
    const QString output = QString::fromStdString(arguments[4]);

    // The picture goes through a pixmap, as the label's does; that needs a platform, and
    // the build has no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int applicationArguments = 1;
    const QGuiApplication application(applicationArguments, argv);

    const QPixmap picture(source);
    if (picture.isNull() || size.isEmpty()) {
        std::cerr << "scalesketch: cannot read " << arguments[1] << " or scale it to " << arguments[2] << " x "
                  << arguments[3] << '\n';
        return 1;
    }
    const QImage scaled = picture.toImage().scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (!scaled.allGray()) {
        std::cerr << "scalesketch: " << arguments[1] << " has colours that a grey map would lose\n";
        return 1;
    }
    if (!scaled.convertToFormat(QImage::Format_Grayscale8).save(output, "PGM")) {
        std::cerr << "scalesketch: cannot write " << arguments[4] << '\n';
        return 1;
    }
    return 0;
}
