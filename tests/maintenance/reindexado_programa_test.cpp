// The reindexing reached from the main menu of the demonstration company
// after the catalogue, product, movement and purchase windows have been
// opened and closed: the program holds none of their tables any more, so
// every table of the catalogue is rebuilt and one summary tells so; a
// window still open keeps its tables, which are named as in use.

#include "app/Vorlan.h"
#include "demo/Demo.h"
#include "foundation/ArchivosPrograma.h"
#include "foundation/rutinas.h"
#include "maintenance/IndiTodo.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/PuertaModal.h"
#include "shell/LineasConfiguracion.h"
#include "shell/Principa.h"
#include "support/Maneja.h"
#include "support/RaizPrueba.h"

#include <QAction>
#include <QApplication>
#include <QLabel>

#include <memory>

namespace {

const QString kTitulo = QStringLiteral("Proceso de Regeneración de Indices Terminado");

class ReindexadoDesdeElPrograma : public RaizPrueba {
 protected:
  void SetUp() override {
    RaizPrueba::SetUp();
    fs::FijaAhora(QDateTime(QDate(2024, 6, 14), QTime(12, 30)));
    ASSERT_TRUE(PreparaEmpresaDemo());
    InstalaArchivosPrograma();
    programa_ = std::make_unique<ProgramaVorlan>();
    programa_->Inicia();
    principal_ = FormaPrincipal();
    principal_->Show();
    ui::PuertaModal::Espera("TFormaEmpresas", [](QDialog& d) {
      prueba::Teclea(d, "Clave", kClaveDemoAdministrador);
      prueba::Tecla(d, "Clave", Qt::Key_Return);
    });
    principal_->DisparaActivacion();
    ASSERT_EQ(principal_->Usuario->text(), "0");
    // The catalogue of every table the company has.
    QString datos;
    LeeLineaConfig(ConfCarpetaDatos, datos);
    TFormaReindexaTodo lector;
    prueba::Pulsa(lector, "BitBtn1");
    prueba::Pulsa(lector, "BitBtn4");
    for (const LineaCatalogo& l : LeeLineasCatalogo(fs::LeeLineas(fs::Une(datos, kCatalogoIndices)))) {
      if (!tablasVistas_.contains(l.tabla.toLower())) tablasVistas_ << l.tabla.toLower();
    }
    tablas_ = static_cast<int>(tablasVistas_.size());
    ASSERT_GT(tablas_, 10);
    ui::PuertaModal::LimpiaMensajes();
  }

  void TearDown() override {
    programa_.reset();
    RaizPrueba::TearDown();
  }

  // A window the main menu shows modeless, opened and activated as the
  // window system activates it (its tables opened then).
  void Abre(const char* item) {
    principal_->Item(QString::fromLatin1(item))->trigger();
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* forma = qobject_cast<ui::Forma*>(w);
      if (forma && forma != principal_ && forma->isVisible()) QApplication::setActiveWindow(forma);
    }
  }

  // The tables the windows of the program have open.
  static int TablasAbiertas() {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
      for (const db::Dataset* d : w->findChildren<db::Dataset*>()) n += d->Active() ? 1 : 0;
    return n;
  }

  // Utilerías > "Reindexar", the password typed, "&Reindexa" pressed.
  void Reindexa() {
    ui::PuertaModal::Espera("TFormaAdministrador", [](QDialog& d) {
      prueba::Teclea(d, "Clave", kClaveDemoAdministrador);
      prueba::Tecla(d, "Clave", Qt::Key_Return);
    });
    ui::PuertaModal::Espera("TFormaReindexaTodo", [](QDialog& d) { prueba::Pulsa(d, "BitBtn2"); });
    principal_->Item("Reindexar1")->trigger();
  }

  std::unique_ptr<ProgramaVorlan> programa_;
  TFormaPrincipal* principal_ = nullptr;
  QStringList tablasVistas_;
  int tablas_ = 0;
};

}  // namespace

TEST_F(ReindexadoDesdeElPrograma, TrasCerrarLasVentanasNingunaTablaQuedaEnUso) {
  // The windows the main menu shows modeless, opened and closed.
  for (const char* item : {"Clientes2", "Proveedores2", "Producto1", "Compras1"}) {
    SCOPED_TRACE(item);
    const int antes = TablasAbiertas();
    Abre(item);
    EXPECT_GT(TablasAbiertas(), antes);
  }
  // Each closed, the main window active again.
  const auto cierraAbiertas = [this] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* forma = qobject_cast<ui::Forma*>(w);
      if (forma && forma != principal_ && forma->isVisible()) forma->Close();
    }
    QApplication::setActiveWindow(principal_);
  };
  cierraAbiertas();
  EXPECT_EQ(TablasAbiertas(), 0);
  // The movement window, made for the occasion and closed by its user.
  ui::PuertaModal::Espera("TFormaMovimientosInventario", [](QDialog& d) { static_cast<ui::Forma&>(d).Close(); });
  principal_->Item("MovalInventario1")->trigger();

  Reindexa();
  EXPECT_EQ(Mensajes(), QStringList{kTitulo + QStringLiteral("\n%1 tablas reindexadas").arg(tablas_)});

  // A window left open keeps its tables: they are named, once, in the
  // summary, and rebuilt by the next reindexing once it is closed.
  ui::PuertaModal::LimpiaMensajes();
  Abre("Clientes2");
  Reindexa();
  ASSERT_EQ(Mensajes().size(), 1);
  EXPECT_TRUE(Mensajes()[0].contains("En uso por una ventana abierta u otra estación, se dejaron sin cambios: "))
      << Mensajes()[0].toStdString();
  EXPECT_TRUE(Mensajes()[0].contains("cliente", Qt::CaseInsensitive)) << Mensajes()[0].toStdString();
  cierraAbiertas();
  ui::PuertaModal::LimpiaMensajes();
  Reindexa();
  EXPECT_EQ(Mensajes(), QStringList{kTitulo + QStringLiteral("\n%1 tablas reindexadas").arg(tablas_)});
}
