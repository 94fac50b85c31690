#include "ui/map_gis_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>

namespace sonvale {

MapGisBox::MapGisBox(MapGisOutputs& outputs, QWidget* parent)
    : QGroupBox(QStringLiteral("Uscite GIS"), parent) {
  setObjectName(QStringLiteral("UsciteGis"));
  setAccessibleName(title());
  auto* geotiff = new QCheckBox(QStringLiteral("GeoTIFF delle mappe"));
  geotiff->setObjectName(QStringLiteral("GeoTiff"));
  geotiff->setAccessibleName(geotiff->text());
  geotiff->setChecked(outputs.geotiff);
  connect(geotiff, &QCheckBox::toggled, this, [&outputs](bool on) { outputs.geotiff = on; });
  auto* isophones = new QCheckBox(QStringLiteral("Isofone (GeoPackage)"));
  isophones->setObjectName(QStringLiteral("Isofone"));
  isophones->setAccessibleName(isophones->text());
  isophones->setChecked(outputs.isophones);
  auto* scheme = new QComboBox;
  scheme->setObjectName(QStringLiteral("Schema"));
  scheme->setAccessibleName(QStringLiteral("Schema colori"));
  for (BandScheme s : kBandSchemes) {
    scheme->addItem(QString::fromUtf8(BandSchemeCaption(s)));
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
  auto* label = new QLabel(QStringLiteral("Schema colori:"));
  label->setBuddy(scheme);
  auto* layout = new QFormLayout(this);
  layout->addRow(geotiff);
  layout->addRow(isophones);
  layout->addRow(label, scheme);
}

}  // namespace sonvale
