#include "ui/map_gis_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>

#include "ui/translate.h"

namespace sonvale {

MapGisBox::MapGisBox(MapGisOutputs& outputs, QWidget* parent)
    : QGroupBox(Tr(kMapGisBoxCaption), parent) {
  setObjectName(QStringLiteral("UsciteGis"));
  setAccessibleName(AccessibleTr(kMapGisBoxCaption));
  auto* geotiff = new QCheckBox(Tr(kMapGisGeoTiffCaption));
  geotiff->setObjectName(QStringLiteral("GeoTiff"));
  geotiff->setAccessibleName(AccessibleTr(kMapGisGeoTiffCaption));
  geotiff->setChecked(outputs.geotiff);
  connect(geotiff, &QCheckBox::toggled, this, [&outputs](bool on) { outputs.geotiff = on; });
  auto* isophones = new QCheckBox(Tr(kMapGisIsophonesCaption));
  isophones->setObjectName(QStringLiteral("Isofone"));
  isophones->setAccessibleName(AccessibleTr(kMapGisIsophonesCaption));
  isophones->setChecked(outputs.isophones);
  auto* scheme = new QComboBox;
  scheme->setObjectName(QStringLiteral("Schema"));
  scheme->setAccessibleName(AccessibleTr(kMapGisSchemeCaption).remove(QLatin1Char(':')));
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
  auto* label = new QLabel(Tr(kMapGisSchemeCaption));
  label->setBuddy(scheme);
  auto* layout = new QFormLayout(this);
  layout->addRow(geotiff);
  layout->addRow(isophones);
  layout->addRow(label, scheme);
}

}  // namespace sonvale
