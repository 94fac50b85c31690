#include "render/map_picture.h"

#include <unistd.h>

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <memory>
#include <stdexcept>

#include "platform/atomic_file.h"
#include "render/qt_canvas.h"
#include "text/file_error.h"
#include "text/number_text.h"
#include "view/cell_painter.h"
#include "view/draw_map.h"
#include "view/level_colour.h"

namespace sonvale {
namespace {

constexpr int kMaxSide = 20000;

// One swatch and label per band, the loudest at the top.
void DrawBandLegend(QPainter& painter, QRect strip, int top,
                    const std::vector<PictureBand>& bands) {
  QFontMetrics fm(painter.font());
  int steps = static_cast<int>(bands.size());
  int rowHeight = std::max(fm.height() + 2, std::min(40, (strip.height() - top - 10) / steps));
  int swatch = std::min(30, strip.width() / 3);
  int x = strip.left() + 10;
  for (int k = 0; k < steps; ++k) {
    const PictureBand& band = bands[static_cast<size_t>(steps - 1 - k)];
    QRect box(x, top + k * rowHeight, swatch, rowHeight - 2);
    painter.fillRect(box, ToQColor(band.colour));
    painter.setPen(QColor(64, 64, 64));
    painter.drawRect(box);
    painter.setPen(Qt::black);
    painter.drawText(QPoint(box.right() + 8, box.top() + (box.height() + fm.ascent()) / 2 - 1),
                     QString::fromStdString(band.label));
  }
}

void DrawLegend(QImage& image, QRect strip, const std::string& title,
                const std::vector<PictureBand>& bands) {
  QPainter painter(&image);
  painter.fillRect(strip, Qt::white);
  painter.setPen(QColor(128, 128, 128));
  painter.drawLine(strip.topLeft(), strip.bottomLeft());
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(12);
  painter.setFont(font);
  QFontMetrics fm(font);

  const int steps = 11;  // 40, 45, ... 90 dB(A), the loudest at the top
  int top = strip.top() + fm.height() * 2;
  int rowHeight = std::max(fm.height() + 2, std::min(40, (strip.height() - top - 10) / steps));
  int swatch = std::min(30, strip.width() / 3);
  int x = strip.left() + 10;
  painter.setPen(Qt::black);
  painter.drawText(QPoint(x, strip.top() + fm.height() + 4), QString::fromStdString(title));
  if (!bands.empty()) {
    DrawBandLegend(painter, strip, top, bands);
    return;
  }
  for (int k = 0; k < steps; ++k) {
    double level = 90 - 5.0 * k;
    QRect box(x, top + k * rowHeight, swatch, rowHeight - 2);
    painter.fillRect(box, ToQColor(LevelColour(LevelIndex(level))));
    painter.setPen(QColor(64, 64, 64));
    painter.drawRect(box);
    painter.setPen(Qt::black);
    std::string label = PlainInteger(static_cast<long long>(level)) + " dB(A)";
    painter.drawText(QPoint(box.right() + 8, box.top() + (box.height() + fm.ascent()) / 2 - 1),
                     QString::fromStdString(label));
  }
}

}  // namespace

QImage RenderMapPicture(const Project& p, const LayerVisibility& layers,
                        const MapPictureOptions& options) {
  int legend = std::max(0, options.legendWidth);
  if (options.width <= legend + 10 || options.height <= 10 || options.width > kMaxSide ||
      options.height > kMaxSide) {
    throw FormatError("--size", 0,
                      "picture size " + PlainInteger(options.width) + "x" +
                          PlainInteger(options.height) + " is not usable");
  }
  EnsureGuiApplication();
  QImage image(options.width, options.height, QImage::Format_RGB32);
  image.fill(Qt::white);
  QRect mapArea(0, 0, options.width - legend, options.height);
  {
    QtCanvas canvas(image, mapArea);
    canvas.clear();
    ViewWindow view = p.View;
    std::optional<UserWindow> window =
        HasDrawableEntities(p) ? FitWindow(view, canvas.deviceWidth(), canvas.deviceHeight())
                               : std::nullopt;
    if (!window && options.grid) {
      const GridHeader& h = options.grid->header;
      window = FitWindow(ViewWindow{h.xlo, h.ylo, h.xhi, h.yhi}, canvas.deviceWidth(),
                         canvas.deviceHeight());
    }
    if (!window)
      throw std::runtime_error("nothing to draw: the model is empty or its view too small");
    canvas.setWindow(*window);
    if (options.grid && options.bands.empty()) PaintGridLevels(canvas, *options.grid);
    if (options.grid && !options.bands.empty()) {
      PaintGridBands(canvas, *options.grid, [&options](double level) {
        for (const PictureBand& b : options.bands) {
          if (level < b.hi) return b.colour;
        }
        return options.bands.back().colour;
      });
    }
    canvas.setPen(Pen{RGB(40, 40, 40), 1});
    for (const auto& line : options.lines) {
      for (size_t k = 1; k < line.size(); ++k) {
        canvas.line(line[k - 1].first, line[k - 1].second, line[k].first, line[k].second);
      }
    }
    DrawMap(p, layers, view, canvas, false);
    const double half = options.dotPixels / 2.0;
    for (const MapPictureOptions::Dot& d : options.dots) {
      const QPointF at = canvas.toDevice(d.x, d.y);
      canvas.painter().fillRect(
          QRectF(at.x() - half, at.y() - half, options.dotPixels, options.dotPixels),
          ToQColor(d.colour));
    }
  }
  if (legend > 0) {
    DrawLegend(image, QRect(options.width - legend, 0, legend, options.height), options.legendTitle,
               options.bands);
  }
  return image;
}

void SaveMapPicture(const QImage& image, const std::string& path) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) throw FileError(path, "the picture could not be encoded");
  WriteFileAtomically(path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

void EnsureGuiApplication() {
  if (QGuiApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
    // Without a session (batch jobs, CI) Qt wants a private runtime folder of its own.
    QString dir = QDir::tempPath() + "/sonvale-runtime-" + QString::number(getuid());
    QDir().mkpath(dir);
    QFile::setPermissions(dir,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", dir.toLocal8Bit());
  }
  // Qt keeps references to argc and argv for the application's lifetime.
  static int argc = 1;
  static char name[] = "sonvale";
  static char* argv[] = {name, nullptr};
  static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace sonvale
