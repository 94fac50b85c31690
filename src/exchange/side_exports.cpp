#include "exchange/side_exports.h"

#include <cmath>

#include "platform/atomic_file.h"
#include "platform/program_title.h"
#include "text/field_reader.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

const char* const kCrLf = "\r\n";

// Vertices are given by number, 1..n, as every entity table numbers them.
template <class Entity>
void AppendPolygon(std::string& out, const Entity& e, int flag, bool close) {
  const long n = e.Npunti();
  if (n <= 0) return;
  const auto& first = e.vertex(1);
  const auto& last = e.vertex(n);
  const bool repeat = close && (first.X != last.X || first.Y != last.Y);
  RecordWriter w;
  out += w.integer(repeat ? n + 1 : n).integer(flag).line();
  for (long k = 1; k <= n; ++k) out += w.number(e.vertex(k).X).number(e.vertex(k).Y).line();
  if (repeat) out += w.number(first.X).number(first.Y).line();
}

template <class Table>
void AppendTable(std::string& out, const Table& table, int flag, bool close) {
  for (long i = 1; i <= table.count(); ++i) AppendPolygon(out, table[i], flag, close);
}

}  // namespace

std::string BlnText(const Project& p, const BlnKinds& kinds) {
  std::string out;
  if (kinds.plans) AppendTable(out, p.plans, 0, true);
  if (kinds.barriers) AppendTable(out, p.barriere, 0, false);
  if (kinds.buildings) AppendTable(out, p.case_, 1, true);
  if (kinds.roads) AppendTable(out, p.strade, 1, false);
  if (kinds.tracks) AppendTable(out, p.binari, 1, false);
  return out;
}

void WriteBln(const Project& p, const BlnKinds& kinds, const std::string& fileName) {
  WriteFileAtomically(fileName, BlnText(p, kinds));
}

std::string ListText(const Project& p) {
  RecordWriter w;
  std::string out = w.text(ProgramTitle() + kListNotice).line();
  out += w.text("I valori di emissioni indicati sono riferiti all'anno:" +
                ShowNumber(static_cast<double>(p.Anno)))
             .line();

  if (p.strade.count() > 0) {
    out += kCrLf;
    for (const char* h : {"Strada n.",       "Nome",
                          "N.auto/G",        "N.cam. 2assi/G",
                          "N.cam. 3assi/G",  "N.TIR/G",
                          "N.moto/G",        "Vel.auto/G",
                          "Vel.cam.2assi/G", "Vel.cam.3assi/G",
                          "Vel.TIR/G",       "Vel.moto/G",
                          "Leq,G",           "N.auto/N",
                          "N.cam. 2assi/N",  "N.cam. 3assi/N",
                          "N.TIR/N",         "N.moto/N",
                          "Vel.auto/N",      "Vel.cam.2assi/N",
                          "Vel.cam.3assi/N", "Vel.TIR/N",
                          "Vel.moto/N",      "Leq,N"})
      w.text(h);
    out += w.line();
    for (long i = 1; i <= p.strade.count(); ++i) {
      const Strada& s = p.strade[i];
      w.integer(i).text(s.Nome);
      for (int v = 1; v <= 5; ++v) w.integer(s.NveicDay[v]);
      for (int v = 1; v <= 5; ++v) w.integer(s.VelDay[v]);
      w.number(s.LeqDay);
      for (int v = 1; v <= 5; ++v) w.integer(s.NveicNight[v]);
      for (int v = 1; v <= 5; ++v) w.integer(s.VelNight[v]);
      out += w.number(s.LeqNight).line();
    }
  }

  if (p.binari.count() > 0) {
    out += kCrLf;
    for (const char* h :
         {"Binario n.", "Nome", "Nmerci/G", "Lung.", "Nlocali/G", "Lung.", "Ni.c./G", "Lung.",
          "Leq,G", "Nmerci/N", "Lung.", "Nlocali/N", "Lung.", "Ni.c./N", "Lung.", "Leq,N"})
      w.text(h);
    out += w.line();
    for (long i = 1; i <= p.binari.count(); ++i) {
      const Binario& b = p.binari[i];
      w.integer(i).text(b.Nome);
      for (int c = 1; c <= 3; ++c) w.integer(b.NtreniDay[c]).integer(b.LungDay[c]);
      w.number(b.LeqDay);
      for (int c = 1; c <= 3; ++c) w.integer(b.NtreniNight[c]).integer(b.LungNight[c]);
      out += w.number(b.LeqNight).line();
    }
  }
  return out;
}

void WriteList(const Project& p, const std::string& fileName) {
  WriteFileAtomically(fileName, ListText(p));
}

std::string PointScriptText(const Project& p) {
  std::string out;
  for (long n = 1; n <= p.punti.count(); ++n) {
    const Punto& pt = p.punti[n];
    const std::string at = PlainNumber(pt.X) + "," + PlainNumber(pt.Y) + "," + PlainNumber(pt.Z);
    out += "circle " + at + " 15" + kCrLf;
    out += "text j tc " + at + " 25 0" + ShowNumber(static_cast<double>(n)) + kCrLf;
  }
  return out;
}

void WritePointScript(const Project& p, const std::string& fileName) {
  WriteFileAtomically(fileName, PointScriptText(p));
}

BarrierLength TotalBarrierLength(const Project& p) {
  BarrierLength b;
  b.count = p.barriere.count();
  for (long i = 1; i <= p.barriere.count(); ++i) {
    const Barriera& e = p.barriere[i];
    for (long k = 2; k <= e.Npunti(); ++k) {
      const double dx = e.vertex(k).X - e.vertex(k - 1).X;
      const double dy = e.vertex(k).Y - e.vertex(k - 1).Y;
      b.length += std::sqrt(dx * dx + dy * dy);
    }
  }
  return b;
}

std::string BarrierLengthText(const BarrierLength& b) {
  return "N=" + ShowNumber(static_cast<double>(b.count)) + " - L=" + ShowNumber(b.length) + " m";
}

}  // namespace sonvale
