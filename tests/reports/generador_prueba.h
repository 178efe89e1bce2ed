#pragma once
// The report tests' company with a work folder C:\VRL\tempo and a sales
// table C:\DATOS\ventas.dbf of the header fields the report commands read,
// with a tag on the name; the progress window answered as a user who waits;
// the work files read back.

#include "platform/db/Tabla.h"
#include "platform/fs/CadenaCorta.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/PuertaModal.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_texto.h"
#include "reports/ArchivosReporte.h"
#include "reports/Barras.h"
#include "reports/Formatos.h"
#include "reports/GeneradorReporte.h"
#include "reports/ProtocoloReporte.h"
#include "reports/reportes_prueba.h"
#include "support/Maneja.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>
#include <QToolButton>
#include <QWidget>

#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTest>

#include <vector>

struct Venta {
  int documento = 0;
  QDate fecha{};
  QString nombre{};
  double importe = 0;
  double comision = 0;
  QString estado{};  // "C" cancelled
  QString moneda{};
};

inline const QString kTablaVentas = QStringLiteral("ventas.dbf");

// What a report command hands the generator and the viewer: by default the
// amounts by customer, in detail.
struct PedidoReporte {
  QString llave = QStringLiteral("NOMBR_F");
  QString texto{};
  std::array<QString, 8> columnas{QStringLiteral("IMTOD_F")};
  QString modo = QStringLiteral("D");
  QString tituloLlave = QStringLiteral("Cliente");
  QString tituloTexto{};
  std::array<QString, 8> titulos{QStringLiteral("Importe")};
  std::array<quint16, 10> anchos{5, 0, 16};
  bool corre = true;  // the engine runs (not refused) and shows its progress
};

// The lines of the text page the viewer shows.
inline QStringList Lineas(const TFormaBarras& visor) { return visor.Concentrado->toPlainText().split(u'\n'); }

// Lines without the blanks that pad their last cell.
inline QStringList SinBlancosFinales(const QStringList& lineas) {
  QStringList r;
  for (const QString& l : lineas) {
    qsizetype fin = l.size();
    while (fin > 0 && l[fin - 1] == u' ') --fin;
    r << l.left(fin);
  }
  return r;
}

// A row of a work file as texts: key, text, columns 1 to 8.
inline QStringList Textos(const TRenglonReporte& r) {
  QStringList t{r.Llave, r.Texto};
  for (const QString& c : r.Columnas) t << c;
  return t;
}

// The user waits while the progress window shows the run; `cerrada` tells
// whether the window closed by itself.
inline void EsperaProgreso(bool* cerrada = nullptr) {
  ui::PuertaModal::Espera("TFormaProgreso", [cerrada](QDialog& d) {
    QElapsedTimer reloj;
    reloj.start();
    while (d.isVisible() && reloj.elapsed() < 60000) QTest::qWait(5);
    if (cerrada) *cerrada = !d.isVisible();
  });
}

// A report command of the generator's protocol over ventas.dbf: the
// parameters dialog (accepted with "&Ejecutar"), the engine, titles and
// widths, the viewer captioned "Reporte de Ventas" and answered by `visor`.
inline void EjecutaReporte(db::Tabla& ventas, const PedidoReporte& p, ui::Guion visor) {
  TFormaFormatos formatos;
  TFormaBarras barras;
  formatos.Rangos->show();
  formatos.Formatos->hide();
  PreparaParametrosReporte(true, true, false, false, false, true, true, true, true, kTablaVentas);
  ventas.First();
  const QString primera = ventas.FieldByName("NOMBR_F").AsString();
  ventas.Last();
  FijaRangoReporte(0, 0, primera, ventas.FieldByName("NOMBR_F").AsString());
  ui::PuertaModal::Espera("TFormaFormatos", [](QDialog& d) { prueba::Pulsa(d, "BitBtn4"); });
  formatos.ShowModal();
  if (formatos.Tag() != 1) return;
  const auto codigo = [&](int n) { return CodigoOperador(formatos.Operador[n]->currentText()); };
  FijaCondicionesReporte(formatos.C[0]->text(), codigo(0), formatos.Valor[0]->currentText(), formatos.T[0]->text(),
                         formatos.C[1]->text(), codigo(1), formatos.Valor[1]->currentText(), formatos.T[1]->text(),
                         formatos.C[2]->text(), codigo(2), formatos.Valor[2]->currentText(), formatos.T[2]->text(),
                         formatos.Conector->currentText());
  if (p.corre) EsperaProgreso();
  GeneraReporte(ventas, formatos.De->text(), formatos.Hasta->text(), "f", "f", "f", p.llave, p.texto, p.columnas,
                "", "X", "", p.modo);
  EscribeTitulosReporte(p.tituloLlave, p.tituloTexto, p.titulos);
  EscribeAnchosReporte(p.anchos);
  barras.setWindowTitle(TituloReporte(QStringLiteral("Reporte de Ventas"), formatos.Titulo->text()));
  PreparaGraficaReporte(QStringLiteral("Gráfica de Ventas"), QStringLiteral("Cliente"), QStringLiteral("Total"), 1);
  ui::SetTag(barras.Panel2, 0);
  ui::SetTag(barras.BotonGrafica, kVistaReporte);
  barras.Concentrado->clear();
  ui::PuertaModal::Espera("TFormaBarras", std::move(visor));
  barras.ShowModal();
  barras.SetTag(0);
  formatos.SetTag(0);
}

class GeneradorPrueba : public ReportePrueba {
 protected:
  void SetUp() override {
    ReportePrueba::SetUp();
    fs::CreaCarpeta(kPrograma + QStringLiteral("\\tempo"));
  }

  void TearDown() override {
    ventas_.reset();
    SueltaArchivosReporte();
    ReportePrueba::TearDown();
  }

  // ventas.dbf with these rows, opened on the name tag.
  db::Tabla& EscribeVentas(const std::vector<Venta>& ventas) {
    ventas_.reset();
    db::Tabla::Crea(kDatosReporte, kTablaVentas,
                    {{"CLDOC_F", 'N', 10, 0},
                     {"FEDOC_F", 'D', 8, 0},
                     {"NOMBR_F", 'C', 40, 0},
                     {"IMTOD_F", 'N', 16, 4},
                     {"CTOVE_F", 'N', 8, 3},
                     {"STATU_F", 'C', 1, 0},
                     {"MONED_F", 'C', 10, 0}},
                    {{"NOMBRE", "NOMBR_F"}});
    ventas_ = std::make_unique<db::Tabla>();
    ventas_->SetCarpeta(kDatosReporte);
    ventas_->SetNombreTabla(kTablaVentas);
    ventas_->Open();
    for (const Venta& v : ventas) {
      ventas_->Append();
      ventas_->FieldByName("CLDOC_F").SetAsInteger(v.documento);
      ventas_->FieldByName("FEDOC_F").SetAsDate(v.fecha);
      ventas_->FieldByName("NOMBR_F").SetAsString(v.nombre);
      ventas_->FieldByName("IMTOD_F").SetAsFloat(v.importe);
      ventas_->FieldByName("CTOVE_F").SetAsFloat(v.comision);
      ventas_->FieldByName("STATU_F").SetAsString(v.estado);
      ventas_->FieldByName("MONED_F").SetAsString(v.moneda);
      ventas_->Post();
    }
    ventas_->SetIndexName("NOMBRE");
    return *ventas_;
  }

  // GeneraReporte over ventas.dbf with no key range, no date test and no
  // fourth condition.
  void Genera(const QString& llave, const QString& texto, const std::array<QString, 8>& columnas,
              const QString& modo) {
    EsperaProgreso();
    GeneraReporte(*ventas_, "", "", "f", "f", "f", llave, texto, columnas, "", "X", "", modo);
  }

  void EjecutaReporte(const PedidoReporte& p, ui::Guion visor) { ::EjecutaReporte(*ventas_, p, std::move(visor)); }

  // The rows of a work file.
  static std::vector<TRenglonReporte> Renglones(const QString& nombre = kArchivoFinal) {
    const QByteArray bytes = fs::LeeBytes(ArchivoTrabajoReporte(nombre));
    std::vector<TRenglonReporte> renglones;
    for (qsizetype i = 0; i + TRenglonReporte::kTamano <= bytes.size(); i += TRenglonReporte::kTamano)
      renglones.push_back(TRenglonReporte::DeBytes(QByteArrayView(bytes).sliced(i, TRenglonReporte::kTamano)));
    return renglones;
  }

  static QStringList Llaves(const QString& nombre = kArchivoFinal) {
    QStringList llaves;
    for (const TRenglonReporte& r : Renglones(nombre)) llaves << r.Llave;
    return llaves;
  }

  static bool Existe(const QString& nombre) { return fs::ExisteArchivo(ArchivoTrabajoReporte(nombre)); }

  // moneda.vrl of the data folder with these names and rates.
  static void EscribeMonedas(const std::vector<std::pair<QString, QString>>& monedas) {
    QByteArray bytes;
    for (const auto& [nombre, tasa] : monedas) {
      QByteArray r(168, '\0');
      fs::EscribeCadenaCorta(r, 0, 16, nombre);
      fs::EscribeCadenaCorta(r, 16, 11, tasa);
      bytes += r;
    }
    EscribeBytes(kDatosReporte + QStringLiteral("\\moneda.vrl"), bytes);
  }

  std::unique_ptr<db::Tabla> ventas_;
};
