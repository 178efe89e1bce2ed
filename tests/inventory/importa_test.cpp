// The text-file import dialog as its callers use it: the file remembered in
// confi_importa.cnf, the lines of one document laid out by the field map in
// sorted order, unknown products marked, the answer in Tag, the path
// remembered at every close, and the product window kept usable above it.

#include "inventory/Importa.h"
#include "inventory/Inven.h"
#include "movimientos_prueba.h"
#include "platform/ui/PuertaModal.h"
#include "platform/ui/RejillaTexto.h"
#include "support/Maneja.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <QWindow>

#include <utility>

namespace {

using namespace movimientos;
// Named here too: another unit of the same batch may bring the test support's keys.
using movimientos::Tecla;

const QString kArchivo = QStringLiteral("C:\\VRL\\importa\\lineas.txt");
const QString kConfi = QStringLiteral("C:\\VRL\\confi_importa.cnf");

class ImportaArchivo : public MovimientosPrueba {
 protected:
  void SetUp() override {
    MovimientosPrueba::SetUp();
    EscribeLineas(kArchivo, {"P2,3,8,x", "B1,5,7,b,c,seis", "A9,2,7", "P1,4,7,,,siete"});
    EscribeLineas(kConfi, {kArchivo});
  }

  // The dialog as a caller makes it: map, product folder and user.
  static std::unique_ptr<TFormaImportaArchivo> Dialogo(const QStringList& mapa) {
    auto d = std::make_unique<TFormaImportaArchivo>();
    d->MemoConfigurar->setPlainText(mapa.join(u'\n'));
    d->LabelRuta->setText(kDatos);
    d->Usuario->setText("4");
    return d;
  }

  // Rows 1 on of the grid, each as its cells joined by "|" up to the last
  // one filled.
  static QStringList Filas(const ui::RejillaTexto& g) {
    QStringList filas;
    for (int r = 1; r < g.RowCount(); ++r) {
      QStringList celdas;
      for (int c = 0; c < g.ColCount(); ++c) celdas << g.Cells(c, r);
      while (!celdas.isEmpty() && celdas.last().isEmpty()) celdas.removeLast();
      filas << celdas.join(u'|');
    }
    return filas;
  }
};

TEST_F(ImportaArchivo, AgregarMuestraElDocumentoEnOrdenConLosProductosQueNoExisten) {
  auto d = Dialogo({"CLAVE", "CANTIDAD", "DOCUMENTO", "", "", "NOTA"});
  ASSERT_EQ(d->Ruta->text(), kArchivo);
  ASSERT_EQ(d->ListaMovimientos->count(), 4);

  ui::PuertaModal::Espera("TFormaImportaArchivo", [](QDialog& dialogo) {
    prueba::Reescribe(static_cast<QLineEdit*>(prueba::Componente(dialogo, "EditDocumento")), "7");
    prueba::Pulsa(dialogo, "BotonAgregar");
    prueba::Pulsa(dialogo, "BotonImportar");
  });
  d->ShowModal();
  EXPECT_EQ(d->Tag(), kImportaAceptado);
  const ui::RejillaTexto& g = *d->Campos;
  EXPECT_EQ(g.ColCount(), kColumnasImporta);
  EXPECT_EQ((QStringList{g.Cells(0, 0), g.Cells(1, 0), g.Cells(2, 0), g.Cells(3, 0), g.Cells(5, 0)}),
            (QStringList{"CLAVE", "CANTIDAD", "DOCUMENTO", "", "NOTA"}));
  // Sorted lines: A9 before B1; keys no product has are marked in column 5
  // in place of their sixth item; unused map lines leave their cells empty;
  // a row per list line, empty after the last of the document.
  EXPECT_EQ(Filas(g), (QStringList{"A9|2|7|||No Existe", "B1|5|7|||No Existe", "P1|4|7|||siete", ""}));
  // Each row knows the file line it came from.
  EXPECT_EQ((QList<int>{d->LineaDeArchivo(1), d->LineaDeArchivo(2), d->LineaDeArchivo(3), d->LineaDeArchivo(4)}),
            (QList<int>{3, 2, 4, 0}));
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(ImportaArchivo, OtroDocumentoReemplazaAlAnteriorYUnMapaLargoEnsanchaLaRejilla) {
  QStringList mapa;
  for (int i = 1; i <= 10; ++i) mapa << QStringLiteral("C%1").arg(i);
  auto d = Dialogo(mapa);
  d->EditDocumento->setText("7");
  prueba::Pulsa(*d, "BotonAgregar");
  d->EditDocumento->setText("8");
  prueba::Pulsa(*d, "BotonAgregar");
  EXPECT_EQ(d->Campos->ColCount(), 10);
  EXPECT_EQ(d->Campos->Cells(9, 0), "C10");
  EXPECT_EQ(Filas(*d->Campos), (QStringList{"P2|3|8|x", "", "", ""}));
  // A number no line carries: titles and empty rows.
  d->EditDocumento->setText("07");
  prueba::Pulsa(*d, "BotonAgregar");
  EXPECT_EQ(Filas(*d->Campos), QStringList(4, ""));
  EXPECT_EQ(d->Campos->Cells(0, 0), "C1");
}

TEST_F(ImportaArchivo, CerrarConLaCajaDeCierreResponde0YRecuerdaLaRuta) {
  const QString otro = QStringLiteral("C:\\VRL\\importa\\otro.txt");
  // The product table cannot be opened: said, and the grid keeps its rows.
  {
    auto d = Dialogo({"CLAVE"});
    d->LabelRuta->setText("C:\\VRL\\NOEXISTE");
    d->Campos->SetCells(0, 1, "antes");
    prueba::Pulsa(*d, "BotonAgregar");
    EXPECT_EQ(Mensajes().size(), 1);
    EXPECT_EQ(d->Campos->Cells(0, 1), "antes");
  }
  ui::PuertaModal::LimpiaMensajes();

  // The file chosen with a double click becomes the path; the window is
  // closed with its close box.
  EscribeLineas(otro, {"Z1,1,1"});
  auto d = Dialogo({"CLAVE"});
  ui::PuertaModal::Espera("TFormaImportaArchivo", [&](QDialog& dialogo) {
    ui::PuertaModal::Espera("AbreArchivo", [&](QDialog& archivo) { prueba::EligeArchivo(archivo, otro); });
    prueba::DobleClic(prueba::Componente(dialogo, "Ruta"));
    dialogo.close();
  });
  d->ShowModal();
  EXPECT_EQ(d->Tag(), 0);
  EXPECT_EQ(d->Ruta->text().toLower(), otro.toLower());
  EXPECT_EQ(fs::LeeLineas(kConfi).value(0).toLower(), otro.toLower());
  // Its lines are loaded the next time a dialog is made; "Cancelar" also
  // answers 0 and remembers the path.
  d = Dialogo({"CLAVE"});
  EXPECT_EQ(d->ListaMovimientos->item(0)->text(), "Z1,1,1");
  d->Ruta->setText(kArchivo);
  ui::PuertaModal::Espera("TFormaImportaArchivo", [](QDialog& dialogo) { prueba::Pulsa(dialogo, "BotonCancelar"); });
  d->SetTag(5);
  d->ShowModal();
  EXPECT_EQ(d->Tag(), 0);
  EXPECT_EQ(fs::LeeLineas(kConfi), QStringList{kArchivo});

  // A remembered file that no longer exists leaves the list empty; a file
  // in UTF-8 is read as UTF-8.
  fs::BorraArchivo(kArchivo);
  EXPECT_EQ(Dialogo({"CLAVE"})->ListaMovimientos->count(), 0);
  EscribeBytes(kArchivo, QStringLiteral("AÑO,1,1\r\n").toUtf8());
  EXPECT_EQ(Dialogo({"CLAVE"})->ListaMovimientos->item(0)->text(), "AÑO,1,1");
  EXPECT_EQ(Mensajes(), QStringList());
}

// Counts the mouse presses that reach a window's widgets.
class Pulsaciones : public QObject {
 public:
  explicit Pulsaciones(QWidget& ventana) : ventana_(ventana) { qApp->installEventFilter(this); }
  ~Pulsaciones() override { qApp->removeEventFilter(this); }
  int cuantas = 0;

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override {
    auto* w = qobject_cast<QWidget*>(objeto);
    if (evento->type() == QEvent::MouseButtonPress && w && (w == &ventana_ || ventana_.isAncestorOf(w))) ++cuantas;
    return false;
  }

 private:
  QWidget& ventana_;
};

TEST_F(ImportaArchivo, InventarioMuestraLaVentanaDeProductosUtilizableSobreElDialogo) {
  TFormaInventario inventario;
  auto d = Dialogo({"CLAVE"});
  // Modal as a running dialog is: other windows take no input.
  d->setWindowModality(Qt::ApplicationModal);
  Pulsaciones pulsaciones(inventario);
  const auto clic = [&] {
    QTest::mouseClick(inventario.windowHandle(), Qt::LeftButton, {}, QPoint(5, 5));
    return std::exchange(pulsaciones.cuantas, 0);
  };
  ui::PuertaModal::Espera("TFormaImportaArchivo", [&](QDialog& dialogo) {
    inventario.Show();
    EXPECT_EQ(clic(), 0);
    prueba::Pulsa(dialogo, "BotonInventario");
    EXPECT_TRUE(inventario.isVisible());
    EXPECT_EQ(inventario.Usuario->text(), "4");
    EXPECT_EQ(clic(), 1);
  });
  d->ShowModal();
  // Still usable once the dialog has closed.
  EXPECT_EQ(clic(), 1);
  inventario.hide();
}

}  // namespace
