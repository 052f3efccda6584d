// Build tool: renders an SVG icon as the PNG sizes of the desktop's icon theme.
//   render_icons SVG OUTPUT_FOLDER NAME SIZE...
// writes OUTPUT_FOLDER/SIZExSIZE/NAME.png for each SIZE.
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: %s SVG OUTPUT_FOLDER NAME SIZE...\n", argv[0]);
    return 2;
  }
  QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
  if (!svg.isValid()) {
    std::fprintf(stderr, "%s: not an SVG image\n", argv[1]);
    return 1;
  }
  const QString output = QString::fromLocal8Bit(argv[2]);
  const QString name = QString::fromLocal8Bit(argv[3]);
  for (int i = 4; i < argc; ++i) {
    bool ok = false;
    const int size = QString::fromLocal8Bit(argv[i]).toInt(&ok);
    if (!ok || size < 1 || size > 1024) {
      std::fprintf(stderr, "%s: not an icon size\n", argv[i]);
      return 2;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    svg.render(&painter);
    painter.end();
    const QString folder = output + QStringLiteral("/%1x%1").arg(size);
    const QString file = folder + QLatin1Char('/') + name + QStringLiteral(".png");
    if (!QDir().mkpath(folder) || !image.save(file, "PNG")) {
      std::fprintf(stderr, "%s: cannot write\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
