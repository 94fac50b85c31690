// The energy that every road, track and concentrated source of one pass brings
// to a receiver, behind one interface: the straightforward kernel and the fast
// engine both implement it, give the same doubles, and can be called from
// several threads at once.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string_view>

#include "model/project.h"
#include "project/configuration.h"
#include "propagation/kernel.h"

namespace sonvale {

enum class EngineKind { Reference, Fast };

// "reference" or "fast"; nullopt for anything else.
std::optional<EngineKind> ParseEngineKind(std::string_view name);
const char* EngineKindName(EngineKind kind);

// Built once per pass; the Project, Configuration and setup it was built from
// must outlive it and stay unchanged while it is used.
class EnergyEngine {
 public:
  virtual ~EnergyEngine() = default;
  // Etot at r: per road entityTerm then its segments, tracks likewise, then the
  // sources, exactly as ReceiverEnergy sums them. Safe to call concurrently.
  double energy(const Vec3& r) const { return energyParts(r).total; }
  // The same total with the parts of the roads, the tracks and the sources, in
  // one pass, as ReceiverEnergyParts gives them; ownWall is left out of the
  // building diffraction.
  virtual EnergyParts energyParts(const Vec3& r, Wall ownWall = {}) const = 0;
};

// The straightforward kernel, node by node.
class ReferenceEnergyEngine : public EnergyEngine {
 public:
  ReferenceEnergyEngine(const Project& p, const Configuration& c, const PropagationSetup& setup,
                        double entityTerm)
      : p_(p), c_(c), setup_(setup), entityTerm_(entityTerm) {}
  EnergyParts energyParts(const Vec3& r, Wall ownWall = {}) const override {
    return ReceiverEnergyParts(p_, c_, setup_, r, entityTerm_, ownWall);
  }

 private:
  const Project& p_;
  const Configuration& c_;
  const PropagationSetup& setup_;
  double entityTerm_;
};

std::unique_ptr<EnergyEngine> MakeEnergyEngine(EngineKind kind, const Project& p,
                                               const Configuration& c,
                                               const PropagationSetup& setup, double entityTerm);

// The day and the night at a receiver in one call, from the two setups of one
// project: each period's parts are the doubles of an EnergyEngine of that period
// (the fast engine walks every path once for both). Safe to call concurrently.
class DayNightEngine {
 public:
  virtual ~DayNightEngine() = default;
  virtual std::array<EnergyParts, 2> parts(const Vec3& r, Wall ownWall = {}) const = 0;
};

std::unique_ptr<DayNightEngine> MakeDayNightEngine(EngineKind kind, const Project& p,
                                                   const Configuration& c,
                                                   const PropagationSetup& day,
                                                   const PropagationSetup& night,
                                                   double entityTerm);

}  // namespace sonvale
