// The main window Sonvale: the menu bar built from the menu table, the map
// picture, the status bar and the centred "Cancel" button of long calculations.
// Every menu item runs one command function of the core; while it runs, only
// "Cancel" acts.
#pragma once

#include <QDialog>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <functional>
#include <map>
#include <string>

#include "commands/app_state.h"
#include "commands/map_gis_outputs.h"
#include "ui/editor_window.h"
#include "ui/map_legend.h"
#include "ui/map_widget.h"
#include "ui/qt_ui.h"
#include "ui/status_progress.h"

class QAction;
class QLabel;
class QSettings;

namespace sonvale {

// The window is the commands' map view: it draws on its map widget.
class Sonvale : public QMainWindow, private MapView {
  Q_OBJECT

 public:
  Sonvale(AppState& app, QtUi& ui, QWidget* parent = nullptr);
  ~Sonvale() override;

  MapWidget* map() const { return map_; }
  QPushButton* cancelButton() const { return cancel_; }
  QAction* action(const std::string& item) const;
  // True while a command runs.
  bool busy() const { return running_; }
  // The traffic editor open beside the map, or nullptr.
  EditorWindow* editor() const { return editor_; }
  // Brings every mark and enabled state of the menus in step with the state.
  void syncMenus();
  // Keeps the window's size and place and the recent projects in settings
  // between sessions (the program's own settings; tests keep none).
  void useSettings(QSettings* settings);
  // The field at the right of the status bar: the pointer's coordinates and
  // the level under it.
  QLabel* cursorField() const { return cursorField_; }
  MapLegend* legend() const { return legend_; }
  StatusProgress* progressBar() const { return progress_; }
  const std::vector<std::string>& recentProjects() const { return recent_; }
  // Notes the open project as the most recent one.
  void noteRecentProject();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void drawMap(bool clear) override;
  void clearPicture() override;
  void suspendPicture(bool suspended) override;
  void showMainWindow(bool visible) override;
  void paintOnMap(const std::function<void(Canvas&)>& draw) override;
  void showMarks(std::vector<MapMark> marks) override;

  void buildMenus();
  void bindCommands();
  void on(const std::string& item, std::function<void()> command);
  // Runs a command with everything but "Cancel" disabled; reports what it throws.
  void run(const std::function<void()>& command, bool cancellable = false);
  void layoutPicture();
  void showLegend();
  void showCursor(QPointF user);
  void rebuildRecentMenu();
  void mapCommand();
  // The GIS entries of the menus (main_window_gis.cpp).
  void bindGisCommands();
  void writeMapGisOutputs(const std::vector<std::string>& grids);
  void showGrid(const GridData& grid);
  void editConfiguration();
  void copyPicture();
  void showPicked(EntityKind kind, long entity);
  // Opens the editor of roads, tracks or sources on the shared current number,
  // closing another editor first.
  void openEditor(EntityKind kind);
  void editorsFollowProject();

  AppState& app_;
  QtUi& ui_;
  MapGisOutputs mapGis_;  // the GIS outputs of map runs, kept for the session
  MapWidget* map_ = nullptr;
  QWidget* centre_ = nullptr;
  QPushButton* cancel_ = nullptr;
  std::map<std::string, QAction*> actions_;
  std::map<std::string, QMenu*> menus_;
  bool running_ = false;
  // The traffic editor open beside the map, if any, and what it edits.
  QPointer<EditorWindow> editor_;
  QLabel* cursorField_ = nullptr;
  MapLegend* legend_ = nullptr;
  StatusProgress* progress_ = nullptr;
  QSettings* settings_ = nullptr;
  std::vector<std::string> recent_;
  std::vector<QAction*> recentActions_;
  QAction* recentSeparator_ = nullptr;
};

}  // namespace sonvale
