// The table files of an exposure run: facade_points.csv, buildings.csv,
// exposure.csv, health.csv and areas.csv. Lines end with CR LF; levels are
// written to 0.1 dB, people and dwellings to 0.01, an empty field where no
// source reaches a point.
#pragma once

#include <string>
#include <vector>

#include "exposure/exposure_areas.h"
#include "exposure/exposure_assessment.h"
#include "exposure/health_effects.h"

namespace sonvale {

inline const char* const kFacadePointsHeader =
    "building,facade,point,x,y,z,length,day,night,lden,people,road_day,road_night,road_lden,"
    "rail_day,rail_night,rail_lden";
inline const char* const kBuildingsHeader =
    "building,people,dwellings,use,method,population,points,loudest_lden,quietest_lden,"
    "loudest_lnight,quietest_lnight,quiet_facade";
inline const char* const kExposureHeader =
    "source,indicator,band,people,dwellings,schools,hospitals,people_exact,dwellings_exact";
inline const char* const kHealthHeader = "source,effect,indicator,cases,fraction,rule";
inline const char* const kAreasHeader =
    "indicator,threshold,area_km2,people,dwellings,people_exact,dwellings_exact";

// One row per point; people are those of all sources placed by Lden.
std::string FacadePointsCsv(const FacadeLayout& layout, const ExposureAssessment& a);
std::string BuildingsCsv(const ExposureAssessment& a);
// Sources road, rail, all; Lden then Lnight bands.
std::string ExposureCsv(const ExposureAssessment& a);
std::string HealthCsv(const std::vector<HealthFigure>& figures);
std::string AreasCsv(const std::vector<AreaFigures>& areas);

// The health figures of roads and railways from the table.
std::vector<HealthFigure> ExposureHealth(const ExposureAssessment& a,
                                         std::optional<double> ihdIncidence);

// A level as written ("" for none).
std::string LevelField(const std::optional<double>& level);

}  // namespace sonvale
