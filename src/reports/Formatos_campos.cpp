// The fields the parameters dialog offers, and the routines that prepare it
// for a report.

#include "foundation/rutinas.h"
#include "foundation/rutinas_tablas.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "reports/CamposReporte.h"
#include "reports/Formatos.h"
#include "reports/ProtocoloReporte.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include <array>
#include <memory>
#include <vector>

namespace {

constexpr int kAnchoCampo = 15;

}  // namespace

void TFormaFormatos::AgregaCampo(const QString& descripcion, const QString& nombre, const QString& tipo) {
  if (nombres_.size() >= kMaximoCampos) return;
  for (QComboBox* lista : {Condicion[0], Condicion[1], Condicion[2], Orden}) lista->addItem(descripcion);
  nombres_ << nombre.left(kAnchoCampo);
  tipos_ << tipo.left(kAnchoCampo);
}

void TFormaFormatos::CargaCampos(const QString& tabla) {
  QString carpeta;
  CarpetaLocal(carpeta);
  CarpetaProgramaReportes = carpeta;
  tabla_ = tabla;

  // The boxes are filled quietly and left with no field chosen.
  const std::array<QComboBox*, 4> listas = {Condicion[0], Condicion[1], Condicion[2], Orden};
  std::vector<std::unique_ptr<QSignalBlocker>> bloqueos;
  for (QComboBox* lista : listas) {
    bloqueos.push_back(std::make_unique<QSignalBlocker>(lista));
    lista->clear();
  }
  nombres_.clear();
  tipos_.clear();
  for (QComboBox* valor : Valor) valor->setEditText(QString());
  for (QLabel* etiqueta : {C[0], C[1], C[2], T[0], T[1], T[2], O1, TO1}) etiqueta->clear();

  // A dictionary that is missing (or cannot be opened) offers no fields.
  db::Tabla campos;
  campos.SetCarpeta(carpeta);
  campos.SetNombreTabla(QStringLiteral("campos.dbf"));
  campos.SetReadOnly(true);
  AbreTabla(campos);
  if (campos.Active()) {
    const QString catalogada = TablaCamposReporte(tabla.toLower());
    campos.SetIndexName(QStringLiteral("TABLA"));
    campos.SetRange({catalogada}, {catalogada});
    for (campos.First(); !campos.Eof(); campos.Next()) {
      AgregaCampo(campos.FieldByName(QStringLiteral("DESCRIBE")).AsString(),
                  campos.FieldByName(QStringLiteral("CAMPO")).AsString(),
                  campos.FieldByName(QStringLiteral("TIPO")).AsString());
    }

    // The columns of the last report script that the dictionary knows; the
    // last name (no carriage return after it) is not looked up.
    campos.CancelRange();
    campos.SetIndexName(QStringLiteral("CAMPO"));
    QStringList guion = CamposGuionReporte.split(u'\r');
    guion.removeLast();
    for (const QString& nombre : guion) {
      if (nombre.isEmpty() || !campos.FindKey({nombre})) continue;
      const QString descripcion = campos.FieldByName(QStringLiteral("DESCRIBE")).AsString();
      if (Condicion[0]->findText(descripcion, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0) continue;
      AgregaCampo(descripcion, campos.FieldByName(QStringLiteral("CAMPO")).AsString(),
                  campos.FieldByName(QStringLiteral("TIPO")).AsString());
    }
    campos.Close();
  }

  for (QComboBox* lista : listas) {
    lista->setCurrentIndex(-1);
    lista->setEditText(QString());
  }
}

void PreparaParametrosReporte(bool fechas, bool rango, bool porMoneda, bool devoluciones, bool noDisponible,
                              bool condiciones, bool, bool, bool, const QString& tabla) {
  TFormaFormatos* forma = FormaFormatos();
  if (!forma) return;
  forma->setWindowTitle(QStringLiteral("Datos del Reporte"));
  forma->Inicial->setEnabled(fechas);
  forma->Final->setEnabled(fechas);
  forma->De->setEnabled(rango);
  forma->Hasta->setEnabled(rango);
  forma->Incluir1->setEnabled(porMoneda);
  forma->IncluirDevoluciones->setEnabled(devoluciones);
  forma->Incluir3->setEnabled(noDisponible);
  for (QComboBox* condicion : forma->Condicion) condicion->setEnabled(condiciones);
  CargaCamposReporte(tabla);
}

void FijaRangoReporte(int, int, const QString& primera, const QString& ultima) {
  TFormaFormatos* forma = FormaFormatos();
  if (!forma) return;
  CarpetaLocal(CarpetaProgramaReportes);
  forma->Inicial->setDate(fs::Hoy());
  forma->Final->setDate(fs::Hoy());
  forma->De->setText(primera);
  forma->Hasta->setText(ultima);
}

void CargaCamposReporte(const QString& tabla) {
  if (TFormaFormatos* forma = FormaFormatos()) forma->CargaCampos(tabla);
}
