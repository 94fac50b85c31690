#include "ui/qt_ui.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>

#include "platform/file_filter.h"
#include "ui/translate.h"

namespace sonvale {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// A box or file dialog asked from an open dialog stands over that dialog.
QWidget* Over(QWidget* window) {
  QWidget* modal = QApplication::activeModalWidget();
  return modal ? modal : window;
}

QMessageBox::StandardButton StandardButton(Answer a) {
  switch (a) {
    case Answer::Ok:
      return QMessageBox::Ok;
    case Answer::Cancel:
      return QMessageBox::Cancel;
    case Answer::Yes:
      return QMessageBox::Yes;
    case Answer::No:
      return QMessageBox::No;
  }
  return QMessageBox::Ok;
}

QMessageBox::StandardButtons ButtonSet(Buttons b) {
  switch (b) {
    case Buttons::Ok:
      return QMessageBox::Ok;
    case Buttons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

QMessageBox::Icon BoxIcon(Icon i) {
  switch (i) {
    case Icon::None:
      return QMessageBox::NoIcon;
    case Icon::Information:
      return QMessageBox::Information;
    case Icon::Warning:
      return QMessageBox::Warning;
    case Icon::Critical:
      return QMessageBox::Critical;
    case Icon::Question:
      return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

// The folder and file a dialog starts in: "*.SVP" means the current folder.
QString StartPath(const std::string& initialName) {
  if (initialName.empty() || initialName.front() == '*') return QDir::currentPath();
  return Q(initialName);
}

// The filter's descriptions in the language shown ("File GIS|*.gpkg|Tutti i file|*.*").
QString Filter(const std::string& filter) { return Q(DesktopFileFilter(Tr(filter).toStdString())); }

std::optional<std::string> Chosen(const QString& path) {
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

}  // namespace

QtUi::QtUi() { clock_.start(); }

void QtUi::bindWindow(QWidget* window, WindowHooks hooks) {
  window_ = window;
  hooks_ = std::move(hooks);
}

void QtUi::showStatus(const std::string& text) {
  if (hooks_.status) hooks_.status(text);
}

Answer QtUi::message(const Message& m) {
  QMessageBox box(BoxIcon(m.icon), TrText(m.title), TrText(m.text), ButtonSet(m.buttons),
                  Over(window_));
  box.setDefaultButton(StandardButton(m.defaultButton));
  box.setAccessibleName(TrText(m.title));
  switch (box.exec()) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    case QMessageBox::Cancel:
      return Answer::Cancel;
    default:
      // Closing a box that has a Cancel button answers Cancel; QMessageBox does that.
      return m.buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
  }
}

std::optional<std::string> QtUi::inputBox(const std::string& prompt, const std::string& title,
                                          const std::string& defaultText) {
  bool ok = false;
  QString text = QInputDialog::getText(Over(window_), TrText(title), TrText(prompt),
                                       QLineEdit::Normal, Q(defaultText), &ok);
  if (!ok) return std::nullopt;
  return text.toStdString();
}

std::optional<std::string> QtUi::openFile(const FileDialog& d) {
  return Chosen(QFileDialog::getOpenFileName(Over(window_), TrText(d.title),
                                             StartPath(d.initialName), Filter(d.filter)));
}

std::optional<std::string> QtUi::saveFile(const FileDialog& d) {
  QFileDialog::Options options;
  if (!d.overwritePrompt) options |= QFileDialog::DontConfirmOverwrite;
  return Chosen(QFileDialog::getSaveFileName(Over(window_), TrText(d.title),
                                             StartPath(d.initialName), Filter(d.filter), nullptr,
                                             options));
}

void QtUi::beep() { QApplication::beep(); }

void QtUi::setBusy(bool busy) {
  if (busy) {
    if (busy_++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
  } else if (busy_ > 0 && --busy_ == 0) {
    QApplication::restoreOverrideCursor();
  }
}

void QtUi::setTitle(const std::string& title) {
  if (hooks_.title) hooks_.title(title);
}

void QtUi::setMenuChecked(const std::string& item, bool checked) {
  if (hooks_.menuChecked) hooks_.menuChecked(item, checked);
}

void QtUi::setMenuEnabled(const std::string& item, bool enabled) {
  if (hooks_.menuEnabled) hooks_.menuEnabled(item, enabled);
}

void QtUi::processEvents() {
  const qint64 t = clock_.elapsed();
  if (lastEvents_ >= 0 && t - lastEvents_ < 16) return;
  lastEvents_ = t;
  QCoreApplication::processEvents();
}

void QtUi::setClipboardText(const std::string& text) {
  QGuiApplication::clipboard()->setText(Q(text));
}

void QtUi::pause(double seconds) {
  if (seconds <= 0) return;
  QEventLoop loop;
  QTimer::singleShot(static_cast<int>(seconds * 1000 + 0.5), &loop, &QEventLoop::quit);
  loop.exec();
}

double QtUi::now() { return static_cast<double>(clock_.nsecsElapsed()) / 1e9; }

}  // namespace sonvale
