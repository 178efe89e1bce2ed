// The advanced document search of the sale screen (Registro > "Busqueda
// Avanzada") driven as a user would, and the list picker.

#include "platform/db/Consulta.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/RejillaDatos.h"
#include "pos/ListaSQL.h"
#include "pos/venta_prueba.h"
#include "salesdocs/BuscarSQL.h"
#include "salesdocs/ComandosBusqueda.h"
#include "support/LanzadorGrabador.h"
#include "support/LibroPrueba.h"

#include <QAction>
#include <QComboBox>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <memory>

namespace {

using ui::PuertaModal::Mensajes;

class Busqueda : public VentaPrueba {
 protected:
  void SetUp() override {
    VentaPrueba::SetUp();
    UneBusquedaDocumentos();
    // The window of the run, as the program creates it at start.
    ventana_ = std::make_unique<TFormaBuscaSQL>();
    const auto campo = [](const char* tabla, const char* nombre, const char* describe, const char* tipo, int tamo) {
      AgregaFila("Campos.DBF",
                 {{"TABLA", tabla}, {"CAMPO", nombre}, {"DESCRIBE", describe}, {"TIPO", tipo},
                  {"TAMO", QString::number(tamo)}},
                 kPrograma);
    };
    campo("facturae.dbf", "CLDOC_F", "Documento", "ftInteger", 0);
    campo("facturae.dbf", "NOMBR_F", "Nombre", "ftString", 0);
    campo("facturae.dbf", "IMTOD_F", "Total", "ftFloat", 0);
    campo("facturae.dbf", "FEDOC_F", "Fecha", "ftDate", 0);
    campo("facturae.dbf", "PAGOX_F", "Tipo de Pago", "ftString", 2);
    campo("facturae.dbf", "CONTROL", "", "ftInteger", 0);
    campo("facturad.dbf", "CLDOC_FD", "Documento", "ftInteger", 0);
    campo("facturad.dbf", "DEPRO_FD", "Descripción", "ftString", 0);
    const auto remision = [](int n, const char* nombre, const char* fecha, const char* total) {
      AgregaRemision(n, {{"NOMBR_F", nombre}, {"FEDOC_F", fecha}, {"IMTOD_F", total}, {"CLCLI_F", "1"}});
    };
    remision(5, "ANA", "05/03/2024", "10");
    remision(1, "PEREZ LUIS", "05/03/2024", "100.5");
    remision(2, "JUAN PEREZ", "06/03/2024", "20");
    remision(3, "O'BRIEN, JUAN", "05/03/2024", "30");
    remision(4, "", "05/03/2024", "40");
    // The screen shows the last document first, which puts its totals from
    // its lines (none) into its header.
    remision(6, "DE \"LA\" CASA", "07/03/2024", "50");
    AgregaFila("RemisioD.dbf", {{"CLDOC_FD", "2"}, {"DEPRO_FD", "FRIJOL"}, {"CANTI_FD", "3"}, {"PUNPR_FD", "5"}});
    AgregaFila("RemisioD.dbf", {{"CLDOC_FD", "1"}, {"DEPRO_FD", "ARROZ"}, {"CANTI_FD", "1"}, {"PUNPR_FD", "8"}});
  }

  void TearDown() override {
    ventana_.reset();
    VentaPrueba::TearDown();
  }

  // Registro > "Busqueda Avanzada" on the screen, the search answered by
  // `guion`.
  static void Busca(TFormaCapturaRapida& p, const std::function<void(TFormaBuscaSQL&)>& guion) {
    ui::PuertaModal::Espera("TFormaBuscaSQL", [guion](QDialog& d) { guion(static_cast<TFormaBuscaSQL&>(d)); });
    QAction* item = p.MainMenu1->findChild<QAction*>("BusquedaAvanzada1");
    ASSERT_TRUE(item);
    ASSERT_TRUE(item->isEnabled());
    item->trigger();
  }

  // A condition added as the user does: the caption chosen, the operator,
  // the value typed, "Agregar".
  static void Agrega(TFormaBuscaSQL& b, const QString& campo, const QString& operador, const QString& valor) {
    b.Condicion1->setCurrentText(campo);
    b.Operador1->setCurrentText(operador);
    b.Valor1->setEditText(valor);
    prueba::Pulsa(b, "BitBtn1");
  }

  // The first column of every row of the result.
  static QStringList Documentos(TFormaBuscaSQL& b) {
    QStringList numeros;
    if (!b.Query1->Active()) return numeros;
    for (b.Query1->First(); !b.Query1->Eof(); b.Query1->Next()) numeros << b.Query1->Fields(0).AsString();
    return numeros;
  }

  static QStringList Titulos(const TFormaBuscaSQL& b) {
    QStringList titulos;
    for (int i = 0; i < b.DetalleC->Columnas(); ++i) titulos << b.DetalleC->Columna(i).titulo;
    return titulos;
  }

  // A double click on the grid's row of the result's row `fila` (from 0).
  static void DobleClicFila(TFormaBuscaSQL& b, int fila) {
    b.Query1->First();
    b.Query1->MoveBy(fila);
    ui::RejillaDatos* r = b.DetalleC;
    prueba::DobleClic(r->viewport(), r->visualRect(r->currentIndex()).center());
  }

  std::unique_ptr<TFormaBuscaSQL> ventana_;
};

TEST_F(Busqueda, CondicionesCodificadasConsultaYTitulos) {
  Abre("0", [](TFormaCapturaRapida& p) {
    Busca(p, [](TFormaBuscaSQL& b) {
      EXPECT_EQ(b.windowTitle(), "Filtrado de Información");
      EXPECT_TRUE(b.RadioButton1->isChecked());
      // Format 1: the fields of every format and of format 1, with a caption.
      QStringList ofrecidos;
      for (int i = 0; i < b.Condicion1->count(); ++i) ofrecidos << b.Condicion1->itemText(i);
      EXPECT_EQ(ofrecidos, (QStringList{"Documento", "Nombre", "Total", "Fecha"}));
      b.NumeroFormato->setValue(2);
      EXPECT_EQ(b.Condicion1->count(), 5);
      b.NumeroFormato->setValue(1);

      Agrega(b, "Nombre", "Incluye", "PEREZ");
      Agrega(b, "Fecha", "=", "05/03/2024");
      prueba::Pulsa(b, "BitBtn2");
      EXPECT_EQ(b.MemoCodigo->toPlainText(), "NOMBR_F,Incluye,PEREZ\nFEDOC_F,=,3/5/2024");
      EXPECT_EQ(b.MemoCondiciones->toPlainText(), "Nombre Incluye PEREZ\nFecha = 05/03/2024");
      EXPECT_EQ(b.Query1->SQL(),
                "Select CLDOC_F,NOMBR_F,IMTOD_F,FEDOC_F,NOMBR_F,FEDOC_F From \"C:\\VRL\\DATOS\\Remision.dbf\" "
                "WHERE NOMBR_F  LIKE '%PEREZ%' and FEDOC_F = \"3/5/2024\" order by CLDOC_F");
      EXPECT_EQ(Documentos(b), QStringList{"1"});
      EXPECT_EQ(Titulos(b), (QStringList{"Documento", "Nombre", "Total", "Fecha", "Nombre", "Fecha"}));

      // F12 shows the coded lines and hides them again.
      EXPECT_FALSE(b.MemoCodigo->isVisible());
      prueba::Tecla(b, "Valor1", Qt::Key_F12);
      EXPECT_TRUE(b.MemoCodigo->isVisible());
      prueba::Tecla(b, "Valor1", Qt::Key_F12);
      EXPECT_FALSE(b.MemoCodigo->isVisible());

      // The memo the user may type into is not read: the conditions are.
      b.MemoCondiciones->appendPlainText("basura, \"\n otra");
      prueba::Pulsa(b, "BitBtn2");
      EXPECT_EQ(Documentos(b), QStringList{"1"});
      b.Close();
    });
    EXPECT_EQ(p.EditCLDOC_F->text(), "6");  // the last document stays on screen
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Busqueda, ValoresVaciosComillasYComas) {
  struct Caso {
    const char* campo;
    const char* operador;
    QString valor;
    QString codigo;  // the coded line
    QStringList documentos;
  };
  const Caso casos[] = {
      {nullptr, nullptr, "", "", {"1", "2", "3", "4", "5", "6"}},
      {"Nombre", "=", "", "NOMBR_F,=,", {"4"}},
      {"Nombre", "<>", "", "NOMBR_F,<>,", {"1", "2", "3", "5", "6"}},
      {"Nombre", "=", "O'BRIEN, JUAN", "NOMBR_F,=,O'BRIEN, JUAN", {"3"}},
      {"Nombre", "Inicia_Con", "O'BRIEN, J", "NOMBR_F,Inicia_Con,O'BRIEN, J", {"3"}},
      {"Nombre", "Incluye", "\"LA\"", "NOMBR_F,Incluye,\"LA\"", {"6"}},
      {"Nombre", "=", "DE \"LA\" CASA", "NOMBR_F,=,DE \"LA\" CASA", {"6"}},
      {"Nombre", "Termina_Con", "%", "NOMBR_F,Termina_Con,%", {}},
      {"Fecha", ">=", "06/03/2024", "FEDOC_F,>=,3/6/2024", {"2", "6"}},
      {"Total", ">", "25", "IMTOD_F,>,25", {"1", "3", "4"}},
  };
  Abre("0", [&](TFormaCapturaRapida& p) {
    Busca(p, [&](TFormaBuscaSQL& b) {
      for (const Caso& c : casos) {
        SCOPED_TRACE(c.codigo.toStdString());
        prueba::Pulsa(b, "Button1");
        if (c.campo) Agrega(b, c.campo, c.operador, c.valor);
        prueba::Pulsa(b, "BitBtn2");
        EXPECT_EQ(b.MemoCodigo->toPlainText(), c.codigo);
        EXPECT_EQ(Documentos(b), c.documentos) << b.Query1->SQL().toStdString();
      }
      // A date that is no date adds nothing and says why.
      prueba::Pulsa(b, "Button1");
      Agrega(b, "Fecha", "=", "31/02/2024");
      EXPECT_EQ(b.MemoCodigo->toPlainText(), "");
      EXPECT_EQ(b.MemoCondiciones->toPlainText(), "");
      b.Close();
    });
  });
  ASSERT_EQ(Mensajes().size(), 1);
  EXPECT_TRUE(Mensajes()[0].contains("31/02/2024")) << Mensajes()[0].toStdString();
}

TEST_F(Busqueda, DetalleYDobleClicMuestranElDocumento) {
  Abre("0", [](TFormaCapturaRapida& p) {
    Busca(p, [](TFormaBuscaSQL& b) {
      b.RadioButton2->click();
      EXPECT_EQ(b.Condicion1->itemText(1), "Descripción");
      Agrega(b, "Descripción", "Incluye", "FRIJOL");
      prueba::Pulsa(b, "BitBtn2");
      EXPECT_EQ(b.Query1->SQL(),
                "Select CLDOC_FD,CANTI_FD,DEPRO_FD,PUNPR_FD,DEPRO_FD From \"C:\\VRL\\DATOS\\RemisioD.dbf\" "
                "WHERE DEPRO_FD  LIKE '%FRIJOL%' order by CLDOC_FD");
      ASSERT_EQ(Documentos(b), QStringList{"2"});
      DobleClicFila(b, 0);
    });
    EXPECT_EQ(p.EditCLDOC_F->text(), "2");
    EXPECT_EQ(p.Nombre->text(), "JUAN PEREZ");

    // A later use: "Detalle" is still chosen, its list loaded again and the
    // conditions gone; closed without a choice, the screen stays.
    p.TablaFacturae->First();
    p.MuestraDocumento();
    ASSERT_EQ(p.EditCLDOC_F->text(), "1");
    Busca(p, [](TFormaBuscaSQL& b) {
      EXPECT_EQ(b.Tag(), 0);
      EXPECT_TRUE(b.RadioButton2->isChecked());
      EXPECT_EQ(b.MemoCodigo->toPlainText(), "");
      prueba::Pulsa(b, "BitBtn2");
      EXPECT_EQ(Documentos(b), (QStringList{"1", "2"}));
      b.Close();
    });
    EXPECT_EQ(p.EditCLDOC_F->text(), "1");
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Busqueda, DuranteUnaCapturaSoloConsulta) {
  Abre("0", [](TFormaCapturaRapida& p) {
    p.BotonNuevoClick();
    ASSERT_TRUE(p.BotonGuardar->isEnabled());
    const QString nuevo = p.EditCLDOC_F->text();
    Busca(p, [](TFormaBuscaSQL& b) {
      b.RadioButton1->click();
      prueba::Pulsa(b, "BitBtn2");
      // The family's own table, never the station's provisional copy.
      EXPECT_TRUE(b.Query1->SQL().contains("\\Remision.dbf\"")) << b.Query1->SQL().toStdString();
      DobleClicFila(b, 2);
    });
    EXPECT_EQ(p.EditCLDOC_F->text(), nuevo);
    EXPECT_TRUE(p.BotonGuardar->isEnabled());
  });
  EXPECT_EQ(Mensajes(), QStringList{"Termine o cancele el documento en captura para ver el documento 3"});
}

TEST_F(Busqueda, ExportaLaConsultaYAbreLaHojaDeCalculo) {
  FijaLinea(ConfHojaCalculo, "C:\\Archivos de programa\\Microsoft Office\\Office\\EXCEL.EXE");
  EscribeLineas(kPrograma + "\\programas.map", {"EXCEL.EXE=hojacalc --abre"});
  fs::CreaCarpeta(kPrograma + "\\tempo");
  prueba::LanzadorGrabador lanzador;
  Abre("0", [](TFormaCapturaRapida& p) {
    Busca(p, [](TFormaBuscaSQL& b) {
      b.RadioButton1->click();
      Agrega(b, "Fecha", "=", "05/03/2024");
      prueba::Pulsa(b, "BitBtn2");
      prueba::Pulsa(b, "SpeedButton1");
      b.Close();
    });
  });
  EXPECT_EQ(Mensajes(), QStringList());
  const QString archivo = kPrograma + "\\tempo\\tempo.xlsx";
  ASSERT_EQ(lanzador.iniciados.size(), 1);
  EXPECT_EQ(lanzador.iniciados[0], (proc::Orden{"hojacalc", {"--abre", fs::Local(archivo)}, {}}));
  const LibroLeido libro = LeeLibro(archivo);
  ASSERT_TRUE(libro.error.isEmpty()) << libro.error.toStdString();
  ASSERT_EQ(libro.filas.size(), 5u);
  EXPECT_EQ(libro.filas[0], (QStringList{"Documento", "Nombre", "Total", "Fecha", "Fecha"}));
  EXPECT_EQ(libro.filas[1].mid(0, 2), (QStringList{"=1 [0]", "PEREZ LUIS"}));
  EXPECT_EQ(libro.filas[2].mid(0, 2), (QStringList{"=3 [0]", "O'BRIEN, JUAN"}));
  EXPECT_EQ(libro.filas[3].value(0), "=4 [0]");
  EXPECT_EQ(libro.filas[4].mid(0, 2), (QStringList{"=5 [0]", "ANA"}));
}

// The list picker answers the CLDOC_F of the row double-clicked; closed
// without one, 0.
TEST_F(Busqueda, ListaSQLRespondeElDocumentoDelRenglon) {
  for (const bool elige : {true, false}) {
    SCOPED_TRACE(elige);
    TFormaListaSQL lista;
    lista.QueryLista->SetSQL("Select CLDOC_F,NOMBR_F From \"C:\\VRL\\DATOS\\Remision.dbf\" order by CLDOC_F");
    lista.QueryLista->Open();
    lista.SetTag(77);
    ui::PuertaModal::Espera("TFormaListaSQL", [elige](QDialog& d) {
      auto& l = static_cast<TFormaListaSQL&>(d);
      if (!elige) {
        l.Close();
        return;
      }
      l.QueryLista->First();
      l.QueryLista->MoveBy(2);
      prueba::DobleClic(l.DBGrid1->viewport(), l.DBGrid1->visualRect(l.DBGrid1->currentIndex()).center());
    });
    lista.ShowModal();
    EXPECT_EQ(lista.Tag(), elige ? 3 : 0);
  }
}

}  // namespace
