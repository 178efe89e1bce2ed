#pragma once
// The catalogue browser's company: the report tests' company with the
// program folder as an installation leaves it (confcamp.cmp, Campos.DBF,
// usuarios.def with the administrator's password "adm"), and the company
// tables the browser opens, made from the registry of layouts and filled
// by the tests. The browser is shown through the modal gate and answered
// by the test as a user.

#include "foundation/ArchivosPrograma.h"
#include "platform/db/Tabla.h"
#include "platform/ui/PuertaModal.h"
#include "platform/ui/RejillaDatos.h"
#include "reports/ConsCata.h"
#include "reports/Filtros.h"
#include "reports/reportes_prueba.h"
#include "shell/Campos.h"
#include "shell/Principa.h"
#include "support/Maneja.h"
#include "support/UsuariosPrueba.h"

#include <QDialog>
#include <QListWidget>
#include <QVariant>

#include <functional>
#include <vector>

// Rows of a table: field names, then one list of values per row.
struct FilasTabla {
  QStringList campos;
  std::vector<QVariantList> filas;
};

class CatalogoPrueba : public ReportePrueba {
 public:
  void SetUp() override {
    ReportePrueba::SetUp();
    InstalaArchivosPrograma();
    InstalaCampos(kPrograma);
    const QByteArray usuarios = ArchivoUsuarios({{"adm", DerechosSin({})}, {"caja", DerechosSin({8})}});
    EscribeBytes(kDatosReporte + "\\usuarios.def", usuarios);
    EscribeBytes(kPrograma + "\\usuarios.def", usuarios);
  }

  void TearDown() override {
    FiltrosCatalogo() = TFiltrosCatalogo{};
    ReportePrueba::TearDown();
  }

  // A company table of the registry (any folder role) made anew in the data
  // folder with these rows.
  static void CreaTabla(const QString& archivo, const FilasTabla& filas = {}) {
    const db::DefTabla* def = nullptr;
    for (db::CarpetaTabla rol : {db::CarpetaTabla::Datos, db::CarpetaTabla::Inventario}) {
      try {
        def = &CatalogoVorlan().Tabla(rol, archivo);
        break;
      } catch (const std::exception&) {
      }
    }
    ASSERT_TRUE(def) << archivo.toStdString();
    db::Tabla::Crea(kDatosReporte, archivo, def->campos, def->tags);
    Agrega(archivo, filas);
  }

  static void Agrega(const QString& archivo, const FilasTabla& filas) {
    db::Tabla t;
    t.SetCarpeta(kDatosReporte);
    t.SetNombreTabla(archivo);
    t.Open();
    for (const QVariantList& fila : filas.filas) {
      t.Append();
      for (qsizetype i = 0; i < filas.campos.size(); ++i) t.FieldByName(filas.campos[i]).SetValue(fila.value(i));
      t.Post();
    }
  }

  // Customers: key, name, balance, last purchase.
  static void Clientes() {
    CreaTabla("cliente.dbf", {{"CLCLI_C", "NOMBR_C", "SALDO_C", "FULCO_C", "DCRED_C", "DIREC_C"},
                              {{"10", "GARCIA LUIS", 150.25, QDate(2024, 3, 1), 30, "Hidalgo 5"},
                               {"20", "ALVAREZ ANA", 20.5, QDate(2024, 1, 10), 15, "Juarez 12"},
                               {"30", "Garza Pedro", 1000, QVariant(), 0, "Allende 3"},
                               {"40", "A*B", 0, QDate(2024, 3, 15), 7, "Morelos 1"}}});
  }

  // The browser made as the main menu makes it, shown through the gate and
  // answered by `usuario`.
  static void Navega(const CatalogoMenu& menu, const std::function<void(TFormaCatalogo&)>& usuario) {
    std::unique_ptr<ui::Forma> ventana = CreaNavegadorCatalogo(menu);
    ui::PuertaModal::Espera("TFormaCatalogo", [&](QDialog& d) { usuario(static_cast<TFormaCatalogo&>(d)); });
    ventana->ShowModal();
  }
  static void Navega(const QString& tabla, const std::function<void(TFormaCatalogo&)>& usuario) {
    CatalogoMenu menu;
    menu.tabla = tabla;
    Navega(menu, usuario);
  }

  // The values of a field in the rows the browser's table shows, in order;
  // the table is left on its first row.
  static QStringList Columna(TFormaCatalogo& c, const QString& campo) {
    QStringList valores;
    db::Tabla& t = *c.TablaConsulta;
    for (t.First(); !t.Eof(); t.Next()) valores << t.FieldByName(campo).AsString();
    t.First();
    return valores;
  }

  static QStringList Titulos(const TFormaCatalogo& c) {
    QStringList titulos;
    for (int i = 0; i < c.DetalleCatalogo->Columnas(); ++i) titulos << c.DetalleCatalogo->Columna(i).titulo;
    return titulos;
  }

  static QStringList CamposVisibles(const TFormaCatalogo& c) {
    QStringList campos;
    for (int i = 0; i < c.DetalleCatalogo->Columnas(); ++i)
      if (c.DetalleCatalogo->Columna(i).visible) campos << c.DetalleCatalogo->Columna(i).campo;
    return campos;
  }

  // The grid's column showing the field (the first one).
  static int ColumnaDe(const TFormaCatalogo& c, const QString& campo) {
    for (int i = 0; i < c.DetalleCatalogo->Columnas(); ++i)
      if (c.DetalleCatalogo->Columna(i).campo == campo) return i;
    return -1;
  }
};
