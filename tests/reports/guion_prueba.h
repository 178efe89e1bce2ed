#pragma once
// Report scripts run as a report command runs them: the supplier table of
// the company C:\DATOS\proveedo.dbf (on its key tag), EjecutaReporteSQL with
// its dialog answered through the modal gate, and what the report window
// held while it was shown.

#include "platform/db/Consulta.h"
#include "platform/ui/PuertaModal.h"
#include "reports/Formatos.h"
#include "reports/RepoSQL.h"
#include "reports/reportes_prueba.h"
#include "support/Maneja.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>

#include <functional>
#include <optional>
#include <vector>

struct Proveedor {
  QString clave;
  QString nombre;
  double cargo = 0;
  double abono = 0;
  double saldo = 0;
};

// The supplier-balance report of the supplier catalogue.
inline QString GuionSaldos(const QString& condicion = QStringLiteral("?(SALDO_P>0.01) \u00BF"),
                           const QString& orden = QStringLiteral("!CLAVE_P")) {
  return QStringLiteral("$Saldos de Proveedores\r& Select CLAVE_P,NOMBR_P,CARGO_P,ABONO_P,SALDO_P from "
                        "\"C:\\DATOS\\proveedo.dbf\"\r") +
         condicion + u'\r' + orden +
         QStringLiteral("\r%e           c              t            t            t           \r"
                        "#PROVEEDOR   NOMBRE         CARGOS       ABONOS       SALDO       \r@\r");
}

// What a command hands the runner, and what the user does in its dialog.
struct PedidoGuion {
  QString titulo = QStringLiteral("Saldos de Proveedores");
  QString clave = QStringLiteral("CLAVE_P");
  QString fechaDesde{};
  QString fechaHasta{};
  QString busca{};
  int tipo = 0;
  QString mascara{};
  bool dialogo = true;
  QChar sentido = u' ';
  // Before "&Ejecutar"; nullptr: the dialog is cancelled.
  std::function<void(TFormaFormatos&)> llena = [](TFormaFormatos&) {};
};

// What the report window held while it was shown.
struct CorridaGuion {
  bool mostrada = false;
  QString caption;
  QString sql;  // the last block's statement
  QStringList paginas;
  std::vector<std::vector<Dinero>> totales;
};

class GuionPrueba : public ReportePrueba {
 protected:
  void TearDown() override {
    proveedores_.reset();
    ReportePrueba::TearDown();
  }

  // proveedo.dbf with these rows, opened on its key tag.
  db::Tabla& Proveedores(const std::vector<Proveedor>& filas) {
    proveedores_.reset();
    const db::DefTabla& def = CatalogoVorlan().Tabla(db::CarpetaTabla::Datos, "PROVEEDO.DBF");
    db::Tabla::Crea(kDatosReporte, QStringLiteral("proveedo.dbf"), def.campos, def.tags);
    proveedores_ = std::make_unique<db::Tabla>();
    proveedores_->SetCarpeta(kDatosReporte);
    proveedores_->SetNombreTabla(QStringLiteral("proveedo.dbf"));
    proveedores_->Open();
    for (const Proveedor& p : filas) {
      proveedores_->Append();
      proveedores_->FieldByName("CLAVE_P").SetAsString(p.clave);
      proveedores_->FieldByName("NOMBR_P").SetAsString(p.nombre);
      proveedores_->FieldByName("CARGO_P").SetAsFloat(p.cargo);
      proveedores_->FieldByName("ABONO_P").SetAsFloat(p.abono);
      proveedores_->FieldByName("SALDO_P").SetAsFloat(p.saldo);
      proveedores_->Post();
    }
    proveedores_->SetIndexName("ICLAPRO");
    return *proveedores_;
  }

  // The three suppliers of the worked example, one without a balance.
  db::Tabla& TresProveedores() {
    return Proveedores({{"001", "ACME", 500, 200, 300}, {"002", "BETA", 80, 80, 0}, {"003", "GAMA", 150.5, 0, 150.5}});
  }

  // A table of its own in the data folder, opened on its first tag.
  db::Tabla& Tabla(const QString& archivo, const QVector<db::DefCampo>& campos, const QVector<db::DefTag>& tags,
                   const std::vector<QVariantList>& filas) {
    proveedores_.reset();
    db::Tabla::Crea(kDatosReporte, archivo, campos, tags);
    proveedores_ = std::make_unique<db::Tabla>();
    proveedores_->SetCarpeta(kDatosReporte);
    proveedores_->SetNombreTabla(archivo);
    proveedores_->Open();
    for (const QVariantList& fila : filas) {
      proveedores_->Append();
      for (int i = 0; i < fila.size(); ++i) proveedores_->Fields(i).SetValue(fila[i]);
      proveedores_->Post();
    }
    if (!tags.isEmpty()) proveedores_->SetIndexName(tags[0].nombre);
    return *proveedores_;
  }

  // Runs the script; `ventana` (when given) acts on the shown window
  // before it is closed.
  static CorridaGuion Ejecuta(db::Tabla& tabla, const QString& guion, const PedidoGuion& p = {},
                              const std::function<void(TFormaReporteSQL&)>& ventana = nullptr) {
    if (p.dialogo) {
      ui::PuertaModal::Espera("TFormaFormatos", [llena = p.llena](QDialog& d) {
        if (!llena) return prueba::Pulsa(d, "BitBtn5");
        llena(static_cast<TFormaFormatos&>(d));
        prueba::Pulsa(d, "BitBtn4");
      });
    }
    auto corrida = std::make_shared<CorridaGuion>();
    ui::PuertaModal::Espera("TFormaReporteSQL", [corrida, ventana](QDialog& d) {
      auto& v = static_cast<TFormaReporteSQL&>(d);
      corrida->mostrada = true;
      corrida->caption = v.windowTitle();
      corrida->sql = v.Query1->SQL();
      corrida->paginas = v.PaginasGuion;
      corrida->totales = v.TotalesGuion;
      if (ventana) ventana(v);
    });
    EjecutaReporteSQL(p.titulo, p.clave, p.fechaDesde, p.fechaHasta, p.busca, tabla, guion, p.tipo, p.mascara,
                      p.dialogo, p.sentido);
    // A window the run never showed leaves its answer unused: forgotten,
    // with the messages kept.
    if (!corrida->mostrada) {
      const QStringList mensajes = ui::PuertaModal::Mensajes();
      ui::PuertaModal::Reinicia();
      for (const QString& m : mensajes) ui::PuertaModal::RegistraMensaje(m);
    }
    return *corrida;
  }

  // The lines the text area shows.
  static QStringList Hoja(const TFormaReporteSQL& v) { return v.Hoja->toPlainText().split(u'\n'); }

  std::unique_ptr<db::Tabla> proveedores_;
};
