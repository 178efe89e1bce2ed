#pragma once
// Saved query views on the report tests' company: a customer table
// cliente.dbf and a sales table facturae.dbf in C:\DATOS with their fields
// in the dictionary, views written by the test, and the runner opened as a
// module window opens it, answered through the modal gate.

#include "platform/db/Consulta.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/PuertaModal.h"
#include "platform/ui/RejillaDatos.h"
#include "platform/ui/RejillaTexto.h"
#include "reports/Consulta.h"
#include "reports/Graficas.h"
#include "reports/NuevoReporte.h"
#include "reports/reportes_prueba.h"
#include "support/Maneja.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <QTextEdit>

#include <functional>
#include <vector>

inline const QString kVistas = QStringLiteral("C:\\VRL\\report");

// A row of a fixture table: the texts of its fields in order ("" null).
using FilaPrueba = QStringList;

// The rows of a data set as texts, from its first row.
inline std::vector<QStringList> FilasDe(db::Dataset& datos) {
  std::vector<QStringList> filas;
  for (datos.First(); !datos.Eof(); datos.Next()) {
    QStringList fila;
    for (int i = 0; i < datos.FieldCount(); ++i) fila << datos.Fields(i).AsString();
    filas.push_back(fila);
  }
  return filas;
}

// The lines of the report's text box.
inline QStringList LineasReporte(const TFormaNuevoReporte& reporte) {
  return reporte.Concentrado->toPlainText().split(u'\n');
}

class ConsultaPrueba : public ReportePrueba {
 protected:
  void SetUp() override {
    ReportePrueba::SetUp();
    EscribeCampos({{"cliente.dbf", "CLCLI_C", "Cliente", "ftString"},
                   {"cliente.dbf", "NOMBR_C", "Nombre", "ftString"},
                   {"cliente.dbf", "SALDO_C", "Saldo", "ftFloat"},
                   {"cliente.dbf", "VISIT_C", "Visitas", "ftInteger"},
                   {"cliente.dbf", "ALTA_C", "Alta", "ftDate"},
                   {"cliente.dbf", "OCULT_C", "No Disponible", "ftString"},
                   {"facturae.dbf", "CLDOC_F", "Documento", "ftInteger"},
                   {"facturae.dbf", "CLCLI_F", "Cliente", "ftString"},
                   {"facturae.dbf", "IMTOD_F", "Importe", "ftFloat"},
                   {"facturae.dbf", "FEDOC_F", "Fecha", "ftDate"}});
  }

  static void EscribeTabla(const QString& archivo, const QVector<db::DefCampo>& campos,
                           const std::vector<FilaPrueba>& filas) {
    db::Tabla::Crea(kDatosReporte, archivo, campos);
    db::Tabla t;
    t.SetCarpeta(kDatosReporte);
    t.SetNombreTabla(archivo);
    t.Open();
    for (const FilaPrueba& fila : filas) {
      t.Append();
      for (int i = 0; i < fila.size(); ++i) t.Fields(i).SetAsString(fila[i]);
      t.Post();
    }
  }

  // cliente.dbf: key, name, balance, visits, date of registration.
  static void EscribeClientesConsulta(const std::vector<FilaPrueba>& filas) {
    EscribeTabla(QStringLiteral("cliente.dbf"),
                 {{"CLCLI_C", u'C', 10}, {"NOMBR_C", u'C', 30}, {"SALDO_C", u'N', 12, 2}, {"VISIT_C", u'N', 6, 0},
                  {"ALTA_C", u'D', 8}, {"OCULT_C", u'C', 5}},
                 filas);
  }

  // facturae.dbf: document, customer key, amount, date, due date.
  static void EscribeFacturas(const std::vector<FilaPrueba>& filas) {
    EscribeTabla(QStringLiteral("facturae.dbf"),
                 {{"CLDOC_F", u'N', 10, 0}, {"CLCLI_F", u'C', 10}, {"IMTOD_F", u'N', 14, 2}, {"FEDOC_F", u'D', 8},
                  {"FEVEN_F", u'D', 8}},
                 filas);
  }

  // A view file C:\VRL\report\<nombre> with these lines.
  static QString EscribeVista(const QString& nombre, const QStringList& lineas) {
    const QString ruta = kVistas + u'\\' + nombre;
    EscribeLineas(ruta, lineas);
    return ruta;
  }

  // The customer window's Consultas: the runner over cliente.dbf with the
  // view in Archivo; `usuario` acts in the shown window (it presses
  // "Ejecutar" when it wants a run).
  static void AbreConsulta(const QString& vista, std::function<void(TFormaConsulta&)> usuario) {
    TFormaConsulta consulta;
    consulta.TablaConsulta->SetCarpeta(kDatosReporte);
    consulta.TablaConsulta->SetNombreTabla(QStringLiteral("cliente.dbf"));
    consulta.numcampo->setText(QStringLiteral("0"));
    consulta.Archivo->addItem(vista);
    consulta.Archi->setText(QStringLiteral("Clientes.for"));
    PreparaConsulta(QStringLiteral("cliente.dbf"), QString());
    ui::PuertaModal::Espera("TFormaConsulta", [&](QDialog& d) {
      usuario(static_cast<TFormaConsulta&>(d));
      static_cast<TFormaConsulta&>(d).Close();
    });
    consulta.ShowModal();
  }

  // Runs the view from the runner with no conditions; `reporte` answers the
  // paged report.
  static void CorreVista(const QString& vista, std::function<void(TFormaNuevoReporte&)> reporte,
                         bool consecutivo = false) {
    AbreConsulta(vista, [&](TFormaConsulta& c) {
      c.Consecutivo->setChecked(consecutivo);
      EsperaReporte(reporte);
      prueba::Pulsa(c, "Ejecutar");
    });
  }

  static void EsperaReporte(std::function<void(TFormaNuevoReporte&)> reporte) {
    ui::PuertaModal::Espera("TFormaNuevoReporte", [reporte](QDialog& d) { reporte(static_cast<TFormaNuevoReporte&>(d)); });
  }

  // Clicks cell (col, fila) of the conditions and double-clicks the list's
  // item `texto`, as a user picks a field or an operator.
  static void EligeEnCondicion(TFormaConsulta& c, int col, int fila, const QString& texto) {
    ClicCelda(c, col, fila);
    const QList<QListWidgetItem*> items = c.ListaOpcion->findItems(texto, Qt::MatchExactly);
    ASSERT_FALSE(items.isEmpty()) << texto.toStdString();
    c.ListaOpcion->setCurrentItem(items.first());
    prueba::DobleClic(c.ListaOpcion->viewport(), c.ListaOpcion->visualItemRect(items.first()).center());
  }

  static void ClicCelda(TFormaConsulta& c, int col, int fila) {
    const QModelIndex i = c.Condiciones->model()->index(fila - 1, col - 1);
    c.Condiciones->scrollTo(i);
    QTest::mouseClick(c.Condiciones->viewport(), Qt::LeftButton, Qt::NoModifier,
                      c.Condiciones->visualRect(i).center());
  }

  // Types the value into column 3 of the row: the first key opens the
  // cell's editor, which is left open.
  static void TecleaValor(TFormaConsulta& c, int fila, const QString& valor) {
    ClicCelda(c, 3, fila);
    c.Condiciones->setFocus();
    QTest::keyClick(c.Condiciones, valor[0].toLatin1());
    for (QChar ch : valor.mid(1)) {
      QWidget* editor = c.Condiciones->indexWidget(c.Condiciones->currentIndex());
      ASSERT_NE(editor, nullptr);
      QTest::keyClick(editor, ch.toLatin1());
    }
  }

  // A condition picked field by field: field caption, operator, typed value.
  static void Condicion(TFormaConsulta& c, int fila, const QString& campo, const QString& operador,
                        const QString& valor) {
    EligeEnCondicion(c, 1, fila, campo);
    EligeEnCondicion(c, 2, fila, operador);
    TecleaValor(c, fila, valor);
  }
};
