#include "ui/main_window.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QMenuBar>
#include <QStatusBar>
#include <exception>

#include "commands/clear_traffic.h"
#include "commands/csv_commands.h"
#include "commands/dxf_import_commands.h"
#include "commands/export_commands.h"
#include "commands/file_commands.h"
#include "commands/main_menu.h"
#include "commands/map_command.h"
#include "commands/menu_tree.h"
#include "commands/ray_commands.h"
#include "commands/road_editor.h"
#include "commands/room_commands.h"
#include "commands/side_export_commands.h"
#include "commands/source_editor.h"
#include "commands/track_editor.h"
#include "commands/view_commands.h"
#include "platform/editor.h"
#include "platform/process.h"
#include "propagation/node_pool.h"
#include "ui/beamrunlauncher.h"
#include "ui/csv_options.h"
#include "ui/do_emiss.h"
#include "ui/do_map.h"
#include "ui/do_punti.h"
#include "ui/exposure_window.h"
#include "ui/edit_data.h"
#include "ui/edit_source.h"
#include "ui/ray_options.h"
#include "ui/train_dat.h"
#include "view/cell_painter.h"

namespace sonvale {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The area under the menu bar: the map fills it, "Cancel" sits in its centre.
class PictureArea : public QWidget {
 public:
  using QWidget::QWidget;
  std::function<void()> onResize;

 protected:
  void resizeEvent(QResizeEvent*) override {
    if (onResize) onResize();
  }
};

}  // namespace

Sonvale::Sonvale(AppState& app, QtUi& ui, QWidget* parent)
    : QMainWindow(parent), app_(app), ui_(ui) {
  setObjectName("Sonvale");
  setWindowTitle(Q(ProgramTitle()));
  setAccessibleName(Q(ProgramTitle()));
  setWindowIcon(QIcon::fromTheme("sonvale"));

  auto* area = new PictureArea(this);
  area->onResize = [this] { layoutPicture(); };
  centre_ = area;
  map_ = new MapWidget(app_, ui_, centre_);
  cancel_ = new QPushButton("Cancel", centre_);
  cancel_->setObjectName("Cancel");
  cancel_->setAccessibleName("Cancel");
  cancel_->hide();
  connect(cancel_, &QPushButton::clicked, this, [this] { app_.StopRequested = true; });
  setCentralWidget(centre_);
  statusBar()->setObjectName("StatusBar");
  statusBar()->setAccessibleName("Stato");

  ui_.bindWindow(this, WindowHooks{[this](const std::string& t) { statusBar()->showMessage(Q(t)); },
                                   [this](const std::string& t) {
                                     setWindowTitle(Q(t));
                                     setAccessibleName(Q(t));
                                   },
                                   [this](const std::string&, bool) { syncMenus(); },
                                   [this](const std::string&, bool) { syncMenus(); }});
  app_.drawMap = [this](bool clear) { map_->drawMap(clear); };
  app_.paintOnMap = [this](const std::function<void(Canvas&)>& draw) { map_->paintOver(draw); };
  app_.clearPicture = [this] { map_->clearPicture(); };
  app_.suspendPicture = [this](bool suspended) { map_->setEnabled(!suspended); };
  app_.showMainWindow = [this](bool visible) { visible ? show() : hide(); };
  app_.chooseLaunchMode = [this](long& mode) { Beamrunlauncher(mode, this).exec(); };
  app_.engine.kind = EngineKind::Fast;
  app_.engine.threads = DefaultThreadCount();
  connect(map_, &MapWidget::picked, this, &Sonvale::showPicked);
  // A redraw takes the editor's highlight away: it is drawn anew over it.
  connect(map_, &MapWidget::redrawn, this, [this] {
    if (editor_) editor_->redrawHighlight();
  });

  buildMenus();
  bindCommands();
  syncMenus();
  resize(1000, 720);
}

QAction* Sonvale::action(const std::string& item) const {
  auto it = actions_.find(item);
  return it == actions_.end() ? nullptr : it->second;
}

void Sonvale::buildMenus() {
  for (const MenuSpec& spec : MainMenuTree()) {
    QMenu* menu = menuBar()->addMenu(Q(spec.caption));
    menu->setObjectName(Q(spec.name));
    menu->setAccessibleName(Q(PlainCaption(spec.caption)));
    menus_[spec.name] = menu;
    for (const MenuItemSpec& item : spec.items) {
      if (item.name == "-") {
        menu->addSeparator();
        continue;
      }
      QAction* a = menu->addAction(Q(item.caption));
      a->setObjectName(Q(item.name));
      a->setCheckable(item.mark == MenuItemSpec::Mark::Toggle);
      if (!item.shortcut.empty()) a->setShortcut(QKeySequence(Q(item.shortcut)));
      actions_[item.name] = a;
    }
  }
}

void Sonvale::syncMenus() {
  for (const MenuSpec& spec : MainMenuTree()) {
    menus_[spec.name]->setEnabled(ItemEnabled(app_, spec.name));
    for (const MenuItemSpec& item : spec.items) {
      if (item.name == "-") continue;
      QAction* a = actions_[item.name];
      const bool checked = ItemChecked(app_, item.name);
      if (item.mark == MenuItemSpec::Mark::Mark) a->setCheckable(checked);
      a->setChecked(checked);
      a->setEnabled(ItemEnabled(app_, item.name));
    }
  }
}

void Sonvale::on(const std::string& item, std::function<void()> command) {
  QAction* a = action(item);
  connect(a, &QAction::triggered, this, [this, command = std::move(command)] { run(command); });
}

void Sonvale::run(const std::function<void()>& command, bool cancellable) {
  if (running_) return;
  running_ = true;
  // Nothing may re-enter the engine or swap the project under it: every menu,
  // item (shortcuts included) and the map are off until the command ends.
  menuBar()->setEnabled(false);
  for (auto& [name, a] : actions_) a->setEnabled(false);
  map_->setEnabled(false);
  if (editor_) editor_->setEnabled(false);
  if (cancellable) {
    // "Cancel" shows once the calculation starts, after its dialog.
    layoutPicture();
    cancel_->raise();
  }
  try {
    command();
  } catch (const std::exception& e) {
    ui_.message({ProgramTitle(), e.what(), Buttons::Ok, Icon::Critical, Answer::Ok});
  }
  cancel_->hide();
  map_->setEnabled(true);
  menuBar()->setEnabled(true);
  running_ = false;
  syncMenus();
  editorsFollowProject();
}

void Sonvale::bindCommands() {
  AppState& a = app_;
  QtUi& u = ui_;
  on("filenew", [&a, &u] { CmdNuovo(a, u); });
  on("OpenSVP", [&a, &u] { CmdApriSvp(a, u); });
  on("SaveSVP", [&a, &u] { CmdSalvaSvp(a, u); });
  on("Savelist", [&a, &u] { CmdSalvaLista(a, u); });
  on("OpenRay", [&a, &u] { CmdApriRay(a, u); });
  on("SaveRay", [this] {
    CmdSalvaRay(app_, ui_,
                [this](RayChoices& c) { RayOptions(app_.project, ui_, c, this).exec(); });
  });
  connect(action("ExitApp"), &QAction::triggered, this, &QWidget::close);

  connect(action("EditCopy"), &QAction::triggered, this, &Sonvale::copyPicture);
  on("PackGRD", [&a, &u] { CmdPackGrd(a, u); });
  on("EditSonvaleIni", [this] { editConfiguration(); });

  on("zoomext", [this] { map_->zoomTutto(); });
  on("ZoomOut", [this] { map_->zoomIndietro(); });
  on("LungBar", [&a, &u] { CmdLunghezzaBarriere(a, u); });
  for (const LayerItem& l : kLayerItems) {
    const std::string item = l.name;
    on(item, [&a, item] { CmdToggleLayer(a, item); });
  }

  on(kDxfCompleteItem, [&a, &u] { CmdOpenDXF(a, u); });
  for (DxfKind kind : kAllDxfKinds)
    on(DxfMenuItem(kind), [&a, &u, kind] { CmdOpenDXFKind(a, u, kind); });
  on("openDXFconetrak", [&a, &u] { CmdImportaDxfEchoray(a, u); });
  for (const char* item : kModeItems) {
    const std::string name = item;
    on(name, [&a, &u, name] { CmdToggleMode(a, u, name); });
  }
  on("ImportNODI", [&a, &u] { CmdImportNODI(a, u); });
  on("ImportArchi", [this] {
    CmdImportArchi(app_, ui_, [this](AppState& app, Ui& ui) { CSV_Options(app, ui, this).exec(); });
  });
  on("ImportCSV", [&a, &u] { CmdImportCSV(a, u); });
  on("ImportCSV2", [&a, &u] { CmdImportCSV2(a, u); });
  on("ImpPunti", [&a, &u] { CmdImpPunti(a, u); });
  on("SaveDXF", [&a, &u] { CmdSalvaDxfCompleto(a, u); });
  on("makeBLN", [&a, &u] { CmdSalvaBln(a, u); });
  on("ExportPunti", [&a, &u] { CmdEsportaPunti(a, u); });
  on("XYZ_extract", [&a, &u] { CmdConvertiDxfXyz(a, u); });

  on("traffic", [this] {
    if (CmdStrade(app_)) openEditor(EntityKind::Road);
  });
  on("Ferrov", [this] {
    if (CmdBinari(app_)) openEditor(EntityKind::Track);
  });
  on("Concent", [this] {
    if (CmdSorgentiConcentrate(app_, ui_)) openEditor(EntityKind::Source);
  });

  on("Tutti", [&a, &u] { CmdCancellaTutto(a, u); });
  for (int v = 1; v <= 5; ++v)
    on("KeepV" + std::to_string(v), [&a, &u, v] { CmdCancellaV(a, u, v); });
  on("KeepV4V2", [&a, &u] { CmdCopiaV4V2(a, u); });
  on("CancStrade", [&a, &u] { CmdCancellaStradeSenzaTraffico(a, u); });

  connect(action("MakeGRD"), &QAction::triggered, this,
          [this] { run([this] { mapCommand(); }, true); });
  on("Punti", [this] { DoPunti(app_, ui_, this).exec(); });
  on("Esposizione", [this] { ExposureWindow(app_, ui_, this).exec(); });

  on("makedxf", [this] {
    map_->paintOver([this](Canvas& canvas) {
      CmdLivelliEmissione(
          app_, ui_,
          [this](DoEmissChoices& c) { return DoEmiss(c, ui_, this).exec() == QDialog::Accepted; },
          &canvas);
    });
  });

  on("helpCont", [&u] { CmdContenuti(u); });
  on("HelpAbout", [&u] { CmdAbout(u); });
}

void Sonvale::mapCommand() {
  MapHooks hooks{[this](const MapCell& cell) { map_->paintCell(cell); },
                 [this](bool clear) {
                   cancel_->show();
                   map_->drawMap(clear);
                 }};
  CmdMappa(
      app_, ui_,
      [this](AppState& app, Ui& ui) {
        DoMap dialog(app, ui, this);
        dialog.exec();
      },
      hooks);
}

void Sonvale::editConfiguration() {
  CmdEditSonvaleIni(app_, ui_, [this](const std::string& path) {
    const WaitResult w =
        RunAndWait(EditorCommand(path), 2000000000LL, [this] { ui_.processEvents(); });
    if (!w.ended) ui_.message({ProgramTitle(), w.message, Buttons::Ok, Icon::Warning, Answer::Ok});
  });
}

void Sonvale::copyPicture() { QGuiApplication::clipboard()->setImage(map_->picture()); }

void Sonvale::showPicked(EntityKind kind, long entity) {
  if (running_) return;
  ui_.showStatus(PickedEntityText(kind, entity));
  // The editor opens on the entity picked; what it edits must be saved.
  app_.CurrentRoad = entity;
  app_.Saved = false;
  openEditor(kind);
}

void Sonvale::openEditor(EntityKind kind) {
  if (editor_) editor_->close();
  EditorWindow* e = nullptr;
  switch (kind) {
    case EntityKind::Road:
      e = new EditData(app_, ui_, this);
      break;
    case EntityKind::Track:
      e = new TrainDat(app_, ui_, this);
      break;
    case EntityKind::Source:
      e = new EditSource(app_, ui_, this);
      break;
  }
  e->setAttribute(Qt::WA_DeleteOnClose);
  editor_ = e;
  e->show();
}

void Sonvale::editorsFollowProject() {
  if (!editor_) return;
  editor_->setEnabled(true);
  editor_->projectChanged();
}

void Sonvale::layoutPicture() {
  // A minimised window keeps its picture for when it comes back.
  if (isMinimized() || centre_->width() < 1 || centre_->height() < 1) return;
  if (map_->geometry() != centre_->rect()) map_->setGeometry(centre_->rect());
  cancel_->adjustSize();
  cancel_->move((centre_->width() - cancel_->width()) / 2,
                (centre_->height() - cancel_->height()) / 2);
}

void Sonvale::closeEvent(QCloseEvent* event) {
  if (running_) {
    // A command is still running: ask it to stop and stay open.
    app_.StopRequested = true;
    event->ignore();
    return;
  }
  bool close = false;
  running_ = true;
  close = CmdClose(app_, ui_);
  running_ = false;
  if (close) {
    if (editor_) editor_->close();
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace sonvale
