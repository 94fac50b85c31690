#include "commands/clear_traffic.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scripted_ui.h"

namespace sonvale {
namespace {

// A road with every vehicle class counted: class v has 10 * v by day and v by night.
Strada Busy(const std::string& name) {
  Strada s;
  s.Nome = name;
  for (size_t v = 1; v <= 5; ++v) {
    s.NveicDay[v] = static_cast<long>(10 * v);
    s.NveicNight[v] = static_cast<long>(v);
    s.VelDay[v] = 2;
  }
  return s;
}
Strada Empty(const std::string& name) {
  Strada s;
  s.Nome = name;
  return s;
}

struct ClearFixture : ::testing::Test {
  AppState app;
  ScriptedUi ui;
  void SetUp() override {
    for (int s = 1; s <= 8; ++s)
      for (int v = 1; v <= 5; ++v) app.tables.SelStrade.at(9, s, v, 1) = 70;
  }
  void roads(const std::vector<Strada>& list) {
    app.project.strade.setCount(0);
    for (const Strada& s : list) app.project.strade.addEntity() = s;
  }
  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (long i = 1; i <= app.project.strade.count(); ++i)
      out.push_back(app.project.strade[i].Nome);
    return out;
  }
};

TEST_F(ClearFixture, ClearingAsksAndClearsTheNamedClassesOnly) {
  roads({Busy("a"), Busy("b")});
  ui.answers = {Answer::Cancel};
  EXPECT_FALSE(CmdCancellaV(app, ui, 3));
  EXPECT_EQ(app.project.strade[1].NveicDay[3], 30);
  EXPECT_TRUE(app.Saved);
  const Message& q = ui.lastMessage();
  EXPECT_EQ(q.text,
            "Sei sicuro di voler cancellare i dati di traffico dei veicoli di tipo V3 (Camion a 3 "
            "assi) ?");
  EXPECT_EQ(q.title, "Attenzione!");
  EXPECT_EQ(q.buttons, Buttons::OkCancel);
  EXPECT_EQ(q.icon, Icon::Critical);
  EXPECT_EQ(q.defaultButton, Answer::Cancel);

  ui.answers = {Answer::Ok};
  EXPECT_TRUE(CmdCancellaV(app, ui, 3));
  EXPECT_FALSE(app.Saved);
  for (long i = 1; i <= 2; ++i) {
    const Strada& s = app.project.strade[i];
    EXPECT_EQ(s.NveicDay[3], 0);
    EXPECT_EQ(s.NveicNight[3], 0);
    EXPECT_EQ(s.NveicDay[2], 20);
    EXPECT_EQ(s.NveicNight[4], 4);
    EXPECT_EQ(s.VelDay[3], 2);  // flow classes stay
  }

  const std::vector<std::string> questions = {
      "Sei sicuro di voler cancellare i dati di traffico dei veicoli di tipo V1 (Autovetture) ?",
      "Sei sicuro di voler cancellare i dati di traffico dei veicoli di tipo V2 (Camion a 2 assi) "
      "?",
      "Sei sicuro di voler cancellare i dati di traffico dei veicoli di tipo V4 (TIR) ?",
      "Sei sicuro di voler cancellare i dati di traffico dei veicoli di tipo V5 (Motocicli) ?"};
  const int classes[] = {1, 2, 4, 5};
  for (size_t k = 0; k < 4; ++k) {
    ui.answers = {Answer::Cancel};
    CmdCancellaV(app, ui, classes[k]);
    EXPECT_EQ(ui.lastMessage().text, questions[k]);
  }

  app.Saved = true;
  ui.answers = {Answer::Ok};
  EXPECT_TRUE(CmdCancellaTutto(app, ui));
  EXPECT_EQ(ui.lastMessage().text,
            "Sei sicuro di voler cancellare i dati di traffico di tutti i veicoli stradali ?");
  EXPECT_FALSE(app.Saved);
  for (size_t v = 1; v <= 5; ++v) {
    EXPECT_EQ(app.project.strade[2].NveicDay[v], 0);
    EXPECT_EQ(app.project.strade[2].NveicNight[v], 0);
  }
}

TEST_F(ClearFixture, CopyV4IntoV2) {
  Strada s = Busy("a");
  s.NveicDay[2] = 100;
  s.NveicDay[4] = 30;
  s.NveicNight[2] = 7;
  s.NveicNight[4] = 3;
  roads({s});
  CmdCopiaV4V2(app, ui);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_FALSE(app.Saved);
  EXPECT_EQ(app.project.strade[1].NveicDay[2], 130);
  EXPECT_EQ(app.project.strade[1].NveicDay[4], 0);
  EXPECT_EQ(app.project.strade[1].NveicNight[2], 10);
  EXPECT_EQ(app.project.strade[1].NveicNight[4], 0);

  // Clearing V4 first leaves nothing to copy.
  ui.answers = {Answer::Ok};
  app.project.strade[1].NveicDay[4] = 25;
  CmdCancellaV(app, ui, 4);
  CmdCopiaV4V2(app, ui);
  EXPECT_EQ(app.project.strade[1].NveicDay[2], 130);
}

TEST_F(ClearFixture, RemovingEmptyRoadsReportsTheRealCount) {
  roads({Empty("e1"), Busy("t"), Empty("e2")});
  EXPECT_EQ(CmdCancellaStradeSenzaTraffico(app, ui), 2);
  EXPECT_EQ(names(), std::vector<std::string>{"t"});
  EXPECT_EQ(ui.beeps, 1);
  const Message& m = ui.lastMessage();
  EXPECT_EQ(m.title, "Cancellazione Strade");
  EXPECT_EQ(m.text, "Ho cancellato 2 strade prive di traffico.");
  EXPECT_EQ(m.buttons, Buttons::Ok);
  EXPECT_EQ(ui.statuses.back(), "Nstrade = 1");
  EXPECT_EQ(ui.statuses.front(), "Deleting road n. 1...");
  EXPECT_FALSE(app.Saved);
  EXPECT_GT(app.project.strade[1].LeqDay, 0.0);

  ui = ScriptedUi{};
  roads({Busy("t1"), Empty("e1"), Busy("t2"), Empty("e2")});
  EXPECT_EQ(CmdCancellaStradeSenzaTraffico(app, ui), 2);
  EXPECT_EQ(names(), (std::vector<std::string>{"t1", "t2"}));
  EXPECT_EQ(ui.lastMessage().text, "Ho cancellato 2 strade prive di traffico.");
  // Slots 2 and 3 were freed in turn: road 2 twice, the moved one then at 3.
  EXPECT_EQ(ui.statuses[0], "Deleting road n. 2...");
  EXPECT_EQ(ui.statuses[1], "Deleting road n. 3...");
}

TEST_F(ClearFixture, AdjacentEmptyRoadsMoveWithAllTheirFields) {
  Strada moved = Busy("t2");
  moved.vertices = {{1, 2, 3, 1.5f, 2.5f}, {4, 5, 6, 3.5f, 4.5f}};
  moved.NDir = 2;
  moved.Pendenza = 1;
  moved.Pavimentaz = 2;
  moved.HmedSX = 7;
  moved.HmedDX = 9;
  roads({Busy("t1"), Empty("e1"), Empty("e2"), moved});
  EXPECT_EQ(CmdCancellaStradeSenzaTraffico(app, ui), 2);
  EXPECT_EQ(names(), (std::vector<std::string>{"t1", "t2"}));
  const Strada& s = app.project.strade[2];
  EXPECT_EQ(s.vertices, moved.vertices);
  EXPECT_EQ(s.NDir, 2);
  EXPECT_EQ(s.Pendenza, 1);
  EXPECT_EQ(s.Pavimentaz, 2);
  EXPECT_EQ(s.HmedDX, 9.0);
  EXPECT_EQ(s.NveicDay[5], 50);
  EXPECT_EQ(ui.statuses[0], "Deleting road n. 2...");
  EXPECT_EQ(ui.statuses[1], "Deleting road n. 2...");
  EXPECT_EQ(ui.statuses.back(), "Nstrade = 2");
}

TEST_F(ClearFixture, OnlyRoadsWithoutAnyEmissionGo) {
  // Last road the only empty one; excluded and fixed roads stay.
  Strada excluded = Empty("excluded");
  excluded.Pavimentaz = 1;
  Strada fixed = Empty("fixed");
  fixed.Pavimentaz = -1;
  fixed.FixLeqDay = 62;
  Strada nightOnly = Empty("night");
  nightOnly.NveicNight[1] = 1;
  app.project.AzzeraFonoass = true;
  roads({excluded, fixed, nightOnly, Empty("last")});
  EXPECT_EQ(CmdCancellaStradeSenzaTraffico(app, ui), 1);
  EXPECT_EQ(names(), (std::vector<std::string>{"excluded", "fixed", "night"}));
  EXPECT_EQ(ui.lastMessage().text, "Ho cancellato 1 strade prive di traffico.");
  EXPECT_EQ(ui.statuses.front(), "Deleting road n. 4...");

  // Ignoring fixed roads zeroes their levels, but their typed levels are not
  // traffic to throw away.
  app.project.IgnoraFisse = true;
  app.project.AzzeraFonoass = false;
  roads({fixed, Empty("e")});
  EXPECT_EQ(CmdCancellaStradeSenzaTraffico(app, ui), 1);
  EXPECT_EQ(names(), std::vector<std::string>{"fixed"});
  EXPECT_EQ(app.project.strade[1].FixLeqDay, 62.0);

  // Nothing to remove: the report still comes, the project is unchanged.
  app.Saved = true;
  EXPECT_EQ(CmdCancellaStradeSenzaTraffico(app, ui), 0);
  EXPECT_EQ(ui.lastMessage().text, "Ho cancellato 0 strade prive di traffico.");
  EXPECT_TRUE(app.Saved);
}

}  // namespace
}  // namespace sonvale
