#include "ui/map_gis_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>

#include "ui/translate.h"

namespace sonvale {
namespace {

const char* const kBoxCaption = SV_TR("sonvale", "Uscite GIS");
const char* const kGeoTiffCaption = SV_TR("sonvale", "GeoTIFF delle mappe");
const char* const kIsophonesCaption = SV_TR("sonvale", "Isofone (GeoPackage)");
const char* const kSchemeCaption = SV_TR("sonvale", "Schema colori:");

}  // namespace

MapGisBox::MapGisBox(MapGisOutputs& outputs, QWidget* parent) : QGroupBox(Tr(kBoxCaption), parent) {
  setObjectName(QStringLiteral("UsciteGis"));
  setAccessibleName(AccessibleTr(kBoxCaption));
  auto* geotiff = new QCheckBox(Tr(kGeoTiffCaption));
  geotiff->setObjectName(QStringLiteral("GeoTiff"));
  geotiff->setAccessibleName(AccessibleTr(kGeoTiffCaption));
  geotiff->setChecked(outputs.geotiff);
  connect(geotiff, &QCheckBox::toggled, this, [&outputs](bool on) { outputs.geotiff = on; });
  auto* isophones = new QCheckBox(Tr(kIsophonesCaption));
  isophones->setObjectName(QStringLiteral("Isofone"));
  isophones->setAccessibleName(AccessibleTr(kIsophonesCaption));
  isophones->setChecked(outputs.isophones);
  auto* scheme = new QComboBox;
  scheme->setObjectName(QStringLiteral("Schema"));
  scheme->setAccessibleName(AccessibleTr(kSchemeCaption).remove(QLatin1Char(':')));
  for (BandScheme s : kBandSchemes) {
    scheme->addItem(Tr(BandSchemeCaption(s)));
    if (s == outputs.scheme) scheme->setCurrentIndex(scheme->count() - 1);
  }
  scheme->setEnabled(outputs.isophones);
  connect(isophones, &QCheckBox::toggled, this, [&outputs, scheme](bool on) {
    outputs.isophones = on;
    scheme->setEnabled(on);
  });
  connect(scheme, &QComboBox::currentIndexChanged, this, [&outputs](int index) {
    if (index >= 0) outputs.scheme = kBandSchemes[index];
  });
  auto* label = new QLabel(Tr(kSchemeCaption));
  label->setBuddy(scheme);
  auto* layout = new QFormLayout(this);
  layout->addRow(geotiff);
  layout->addRow(isophones);
  layout->addRow(label, scheme);
}

}  // namespace sonvale
