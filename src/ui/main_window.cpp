#include "ui/main_window.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <algorithm>
#include <exception>

#include "commands/clear_traffic.h"
#include "commands/csv_commands.h"
#include "commands/dxf_import_commands.h"
#include "commands/export_commands.h"
#include "commands/facade_points_view.h"
#include "commands/file_commands.h"
#include "commands/main_menu.h"
#include "commands/map_command.h"
#include "commands/map_dialog.h"
#include "commands/map_legend.h"
#include "commands/menu_tree.h"
#include "commands/ray_commands.h"
#include "commands/recent_projects.h"
#include "commands/road_editor.h"
#include "commands/room_commands.h"
#include "commands/side_export_commands.h"
#include "commands/source_editor.h"
#include "commands/track_editor.h"
#include "commands/view_commands.h"
#include "commands/window_status.h"
#include "platform/editor.h"
#include "platform/process.h"
#include "propagation/node_pool.h"
#include "ui/beamrunlauncher.h"
#include "ui/csv_options.h"
#include "ui/do_emiss.h"
#include "ui/do_map.h"
#include "ui/do_punti.h"
#include "ui/edit_data.h"
#include "ui/edit_source.h"
#include "ui/exposure_window.h"
#include "ui/ray_options.h"
#include "ui/train_dat.h"
#include "ui/translate.h"
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
  legend_ = new MapLegend(centre_);
  legend_->hide();
  cancel_ = new QPushButton(Tr(SV_TR("sonvale", "Cancel")), centre_);
  cancel_->setObjectName("Cancel");
  cancel_->setAccessibleName(AccessibleTr(SV_TR("sonvale", "Cancel")));
  cancel_->hide();
  connect(cancel_, &QPushButton::clicked, this, [this] { app_.StopRequested = true; });
  setCentralWidget(centre_);
  statusBar()->setObjectName("StatusBar");
  statusBar()->setAccessibleName(Tr(SV_TR("sonvale", "Stato")));
  progress_ = new StatusProgress;
  statusBar()->addPermanentWidget(progress_);
  cursorField_ = new QLabel;
  cursorField_->setObjectName("Coordinate");
  cursorField_->setAccessibleName(Tr(SV_TR("sonvale", "Coordinate")));
  cursorField_->setMinimumWidth(cursorField_->fontMetrics().horizontalAdvance(
      QStringLiteral("X 0000000.00  Y 0000000.00  Leq 000.0 dB(A)")));
  statusBar()->addPermanentWidget(cursorField_);

  ui_.bindWindow(this,
                 WindowHooks{[this](const std::string& t) { statusBar()->showMessage(TrText(t)); },
                             [this](const std::string& t) {
                               setWindowTitle(Q(t));
                               setAccessibleName(Q(t));
                             },
                             [this](const std::string&, bool) { syncMenus(); },
                             [this](const std::string&, bool) { syncMenus(); }});
  app_.setView(this);
  connect(map_, &MapWidget::picked, this, &Sonvale::showPicked);
  connect(map_, &MapWidget::pointerAt, this, &Sonvale::showCursor);
  // A redraw takes the editor's highlight away: it is drawn anew over it.
  connect(map_, &MapWidget::redrawn, this, [this] {
    if (editor_) editor_->redrawHighlight();
    showLegend();
  });

  buildMenus();
  bindCommands();
  syncMenus();
  resize(1000, 720);
  map_->setFocus();
}

void Sonvale::useSettings(QSettings* settings) {
  settings_ = settings;
  if (!settings_) return;
  restoreGeometry(settings_->value("window/geometry").toByteArray());
  recent_.clear();
  for (const QString& path : settings_->value("recent/projects").toStringList())
    recent_ = WithRecentProject(recent_, path.toStdString());
  std::reverse(recent_.begin(), recent_.end());
  rebuildRecentMenu();
}

void Sonvale::noteRecentProject() {
  const std::string& path = app_.project.ProjectFileName;
  if (path.empty() || (!recent_.empty() && recent_.front() == path)) return;
  recent_ = WithRecentProject(recent_, path);
  rebuildRecentMenu();
  if (settings_) {
    QStringList list;
    for (const std::string& r : recent_) list << Q(r);
    settings_->setValue("recent/projects", list);
  }
}

void Sonvale::rebuildRecentMenu() {
  QMenu* file = menus_["mnuFile"];
  for (QAction* a : recentActions_) file->removeAction(a), a->deleteLater();
  recentActions_.clear();
  if (recentSeparator_) file->removeAction(recentSeparator_), recentSeparator_->deleteLater();
  recentSeparator_ = nullptr;
  if (recent_.empty()) return;
  // The recent projects stand above "E&sci", in a group of their own.
  QAction* exit = action("ExitApp");
  for (size_t i = 0; i < recent_.size(); ++i) {
    const std::string path = recent_[i];
    QAction* a = new QAction(Q(RecentProjectCaption(i + 1, path)), file);
    a->setObjectName(QStringLiteral("Recent%1").arg(i + 1));
    a->setToolTip(Q(path));
    file->insertAction(exit, a);
    connect(a, &QAction::triggered, this,
            [this, path] { run([this, path] { CmdApriRecente(app_, ui_, path); }); });
    recentActions_.push_back(a);
  }
  recentSeparator_ = file->insertSeparator(exit);
}

void Sonvale::showCursor(QPointF user) {
  const std::optional<double> level =
      map_->showsLevels() ? map_->levelAt(user.x(), user.y()) : std::nullopt;
  const MapMark* mark = map_->markAt(user);
  const std::string markText = mark ? TrText(mark->text).toStdString() : "";
  cursorField_->setText(Q(CursorFieldText(user.x(), user.y(), level, markText)));
}

void Sonvale::showLegend() {
  legend_->setVisible(LegendShown(app_) && (map_->showsLevels() || map_->showsMarks()));
  layoutPicture();
}

QAction* Sonvale::action(const std::string& item) const {
  auto it = actions_.find(item);
  return it == actions_.end() ? nullptr : it->second;
}

void Sonvale::buildMenus() {
  for (const MenuSpec& spec : MainMenuTree()) {
    QMenu* menu = menuBar()->addMenu(Tr(spec.caption));
    menu->setObjectName(Q(spec.name));
    menu->setAccessibleName(Q(PlainCaption(Tr(spec.caption).toStdString())));
    menus_[spec.name] = menu;
    for (const MenuItemSpec& item : spec.items) {
      if (item.name == "-") {
        menu->addSeparator();
        continue;
      }
      QAction* a = menu->addAction(Tr(item.caption));
      a->setObjectName(Q(item.name));
      a->setCheckable(item.mark == MenuItemSpec::Mark::Toggle);
      if (!item.shortcut.empty()) {
        a->setShortcut(QKeySequence(Q(item.shortcut)));
        a->setShortcutVisibleInContextMenu(true);
      }
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
  progress_->finish();
  syncMenus();
  noteRecentProject();
  showLegend();
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
  on(kLegendItem, [&a] { CmdToggleLegend(a); });
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
  on("Punti", [this] { DoPunti(app_, ui_, this, progress_).exec(); });
  // The façade points painted by a run, or read back, get the legend of their bands.
  auto facadeLegend = [this] {
    if (!map_->showsMarks()) return;
    legend_->setContent(ExposureLegend());
    showLegend();
  };
  on("Esposizione", [this, facadeLegend] {
    ExposureWindow(app_, ui_, this, progress_).exec();
    facadeLegend();
  });
  on("MostraFacciate", [this, facadeLegend] {
    if (CmdShowFacadePoints(app_, ui_)) facadeLegend();
  });

  on("makedxf", [this] {
    map_->paintOver([this](Canvas& canvas) {
      CmdLivelliEmissione(
          app_, ui_,
          [this](DoEmissChoices& c) { return DoEmiss(c, ui_, this).exec() == QDialog::Accepted; },
          &canvas);
    });
  });

  bindGisCommands();
  on("helpCont", [&u] { CmdContenuti(u); });
  on("HelpAbout", [&u] { CmdAbout(u); });
}

Sonvale::~Sonvale() { app_.setView(nullptr); }

void Sonvale::drawMap(bool clear) { map_->drawMap(clear); }
void Sonvale::clearPicture() { map_->clearPicture(); }
void Sonvale::suspendPicture(bool suspended) { map_->setEnabled(!suspended); }
void Sonvale::showMainWindow(bool visible) { visible ? show() : hide(); }
void Sonvale::paintOnMap(const std::function<void(Canvas&)>& draw) { map_->paintOver(draw); }
void Sonvale::showMarks(std::vector<MapMark> marks) { map_->showMarks(std::move(marks)); }

void Sonvale::mapCommand() {
  MapHooks hooks{
      [this](const MapCell& cell) {
        map_->paintCell(cell);
        progress_->next(ui_.now());
      },
      [this](bool clear) {
        cancel_->show();
        // A pass starts from a blank picture: its cells are counted anew,
        // painted in the scheme of the run's isophones if it writes them.
        if (clear) {
          progress_->start(MapNodeCount(app_.project), ui_.now());
          const std::optional<BandScheme> scheme = DrawnScheme(mapGis_);
          map_->setCellColour([scheme](double level) { return MapCellColour(scheme, level); });
          legend_->setContent(MapLegendFor(scheme));
        }
        map_->drawMap(clear);
      },
      [this](long& mode) { Beamrunlauncher(mode, this).exec(); }};
  const MapCommandResult result = CmdMappa(
      app_, ui_,
      [this](AppState& app, Ui& ui) {
        DoMap dialog(app, ui, this, &mapGis_);
        dialog.exec();
      },
      hooks);
  if (result.completed) writeMapGisOutputs(result.files);
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
  // The legend stands over the map's upper right corner, clear of the edge.
  legend_->move(centre_->width() - legend_->width() - 8, 8);
  legend_->raise();
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
    if (settings_) settings_->setValue("window/geometry", saveGeometry());
    if (editor_) editor_->close();
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace sonvale
