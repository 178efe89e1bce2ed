// The station's capture table: which table a sale screen claims while other
// screens (in other processes) hold theirs, and the routines that empty and
// compact it.

#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/Componentes.h"
#include "pos/TablaCaptura.h"
#include "support/Proceso.h"
#include "venta_prueba.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>

#include <array>
#include <memory>

namespace {

std::unique_ptr<db::Tabla> Cursor(const QString& archivo) {
  auto t = std::make_unique<db::Tabla>();
  t->SetCarpeta(kPrograma);
  t->SetNombreTabla(archivo);
  t->Open();
  return t;
}

QStringList Claves(db::Tabla& t) {
  QStringList claves;
  const qint64 donde = t.RecNo();
  for (t.First(); !t.Eof(); t.Next()) claves << t.FieldByName("CLAVE").AsString();
  if (donde > 0) t.VeARegistro(donde);
  return claves;
}

void Agrega(db::Tabla& t, const QStringList& claves) {
  for (const QString& clave : claves) {
    t.Append();
    t.FieldByName("CLAVE").SetAsString(clave);
    t.FieldByName("CANTIDAD").SetAsFloat(1);
    t.Post();
  }
}

QStringList Campos(const QString& archivo) {
  db::Tabla t;
  t.SetCarpeta(kPrograma);
  t.SetNombreTabla(archivo);
  t.SetReadOnly(true);
  t.Open();
  return t.NombresCampos();
}

// A screen's claim as the window-less routines make it, with its two
// cursors; a whole claimed life per iteration, each starting from New's
// reset, until the file "fin.txt" appears. Every iteration writes lines
// marked with its own tag and checks that the table holds nothing else.
// Reports "CONFLICTOS <n> <iterations>".
RUTINA_HIJA(CiclaCapturas) {
  const QString marca = argumentos.value(0);
  int conflictos = 0, vueltas = 0;
  bool avisado = false;
  while (!fs::Existe(fs::Une(kPrograma, "fin.txt"))) {
    EstacionCaptura estacion;
    if (estacion.Reclama(kPrograma) == kSinEstacion) continue;
    auto deta = Cursor(estacion.NombreTabla());
    auto total = Cursor(estacion.NombreTabla());
    ReiniciaCaptura(estacion, *deta, *total);
    Agrega(*deta, {marca, marca, marca});
    if (Claves(*total) != QStringList{marca, marca, marca}) ++conflictos;
    ++vueltas;
    if (!avisado) {
      prueba::AvisaPadre("LISTO");
      avisado = true;
    }
  }
  prueba::AvisaPadre(QStringLiteral("CONFLICTOS %1 %2").arg(conflictos).arg(vueltas));
  return 0;
}

// Holds the first free station, with its table open, until told.
RUTINA_HIJA(OcupaEstacion) {
  EstacionCaptura estacion;
  prueba::AvisaPadre(QString::number(estacion.Reclama(kPrograma)));
  auto deta = Cursor(estacion.NombreTabla());
  prueba::EsperaPadre();
  return 0;
}

using Captura = VentaPrueba;

}  // namespace

TEST_F(Captura, LaPrimeraPantallaHaceDetaDeLaPlantillaYLaSegundaEsLaVentana2) {
  for (const char* t : {"deta.db", "deta2.db"})
    if (db::Tabla::Existe(kPrograma, t)) db::Tabla::Borra(kPrograma, t);
  Abre("1", [](TFormaCapturaRapida& p) {
    EXPECT_EQ(p.Estacion().Numero(), 1);
    EXPECT_EQ(p.TablaDeta->NombreTabla(), "deta.db");
    EXPECT_TRUE(p.TablaDeta->Active());
    EXPECT_TRUE(p.TablaTotal->Active());
    EXPECT_FALSE(p.windowTitle().contains("VENTANA"));
  });
  EXPECT_EQ(Campos("deta.db"), Campos(kPlantillaCaptura));

  prueba::ProcesoHijo otra("OcupaEstacion");
  ASSERT_EQ(otra.EsperaLinea(), "1");
  Abre("1", [](TFormaCapturaRapida& p) {
    EXPECT_EQ(p.Estacion().Numero(), 2);
    EXPECT_EQ(p.TablaDeta->NombreTabla(), "deta2.db");
    EXPECT_EQ(p.TablaTotal->NombreTabla(), "deta2.db");
    EXPECT_EQ(p.windowTitle(), kTituloCapturaRapida + "           VENTANA 2");
    EXPECT_EQ(p.Panel8->palette().color(QPalette::Window), QColor(Qt::cyan));
  });
  EXPECT_EQ(Campos("deta2.db"), Campos(kPlantillaCaptura));

  // A station whose process died is free again.
  otra.Mata();
  Abre("1", [](TFormaCapturaRapida& p) {
    EXPECT_EQ(p.Estacion().Numero(), 1);
    EXPECT_FALSE(p.windowTitle().contains("VENTANA"));
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Captura, ConDiezPantallasAbiertasLaOnceavaNoCaptura) {
  std::array<EstacionCaptura, 10> abiertas;
  for (int i = 0; i < 10; ++i) ASSERT_EQ(abiertas[i].Reclama(kPrograma), i + 1);
  Abre("1", [](TFormaCapturaRapida& p) {
    EXPECT_EQ(p.Estacion().Numero(), kSinEstacion);
    EXPECT_FALSE(p.Estacion().Tiene());
    EXPECT_EQ(p.windowTitle(), kTituloCapturaRapida + "           VENTANA 11");
    EXPECT_FALSE(p.TablaDeta->Active());
    // New refuses with the same words.
    EXPECT_FALSE(p.TieneTablaCaptura());
  });
  EXPECT_EQ(Mensajes(), QStringList(2, kSinTablaCaptura));

  // One screen closes: the next one takes its station.
  abiertas[6].Libera();
  EstacionCaptura siguiente;
  EXPECT_EQ(siguiente.Reclama(kPrograma), 7);
}

TEST_F(Captura, UnaDetaDanadaQueNadieTieneSeReemplazaPorLaPlantilla) {
  EscribeBytes(fs::Une(kPrograma, "deta.db"), QByteArray(300, 'x'));
  EstacionCaptura estacion;
  EXPECT_EQ(estacion.Reclama(kPrograma), 1);
  EXPECT_EQ(Campos("deta.db"), Campos(kPlantillaCaptura));
}

TEST_F(Captura, DosProcesosQueAbrenYCierranPantallasNuncaCompartenTabla) {
  prueba::ProcesoHijo otra("CiclaCapturas", {"HIJA"});
  ASSERT_EQ(otra.EsperaLinea(), "LISTO");
  int conflictos = 0;
  QSet<int> estaciones;
  for (int i = 0; i < 30; ++i) {
    Abre("1", [&](TFormaCapturaRapida& p) {
      ASSERT_TRUE(p.Estacion().Tiene());
      estaciones << p.Estacion().Numero();
      p.VaciaCaptura();
      Agrega(*p.TablaDeta, {"PADRE", "PADRE"});
      // The other process writes its lines meanwhile, if it shared the table.
      QCoreApplication::processEvents();
      if (Claves(*p.TablaTotal) != QStringList{"PADRE", "PADRE"}) ++conflictos;
    });
  }
  EscribeLineas(fs::Une(kPrograma, "fin.txt"), {"fin"});
  const QStringList informe = otra.EsperaLinea().split(' ');
  ASSERT_EQ(informe.size(), 3);
  EXPECT_EQ(informe[1], "0");
  EXPECT_GT(informe[2].toInt(), 0);
  EXPECT_EQ(otra.Espera(), 0);
  EXPECT_EQ(conflictos, 0);
  EXPECT_FALSE(estaciones.contains(kSinEstacion));
}

TEST_F(Captura, BorrarUnaPartidaCompactaYDejaElCursorEnLaQueSigue) {
  struct Caso {
    int borrada;
    QStringList quedan;
    QString actual;
  };
  for (const Caso& c : {Caso{3, {"A", "B", "D", "E"}, "D"}, Caso{5, {"A", "B", "C", "D"}, "D"},
                        Caso{1, {"B", "C", "D", "E"}, "B"}}) {
    SCOPED_TRACE(c.borrada);
    db::Tabla::CopiaArchivos(kPrograma, kPlantillaCaptura, "deta.db");
    auto deta = Cursor("deta.db");
    auto total = Cursor("deta.db");
    Agrega(*deta, {"A", "B", "C", "D", "E"});
    deta->First();
    deta->MoveBy(c.borrada - 1);
    deta->Delete();
    BorraPartidaYCompacta(*deta, *total, c.borrada);
    EXPECT_TRUE(total->Active());
    EXPECT_EQ(Claves(*total), c.quedan);
    EXPECT_EQ(deta->FieldByName("CLAVE").AsString(), c.actual);
  }
}

TEST_F(Captura, VaciarDejaLaTablaVaciaYCompactadaConSusDosCursores) {
  auto deta = Cursor("deta.db");
  auto total = Cursor("deta.db");
  QStringList muchas;
  for (int i = 0; i < 200; ++i) muchas << QString("P%1").arg(i);
  Agrega(*deta, muchas);
  VaciaCaptura(*deta, *total);
  EXPECT_TRUE(deta->Active());
  EXPECT_TRUE(total->Active());
  EXPECT_EQ(deta->RecordCount(), 0);
  EXPECT_EQ(total->RecordCount(), 0);
  EXPECT_EQ(QFileInfo(fs::Local(fs::Une(kPrograma, "deta.db"))).size(),
            QFileInfo(fs::Local(fs::Une(kPrograma, kPlantillaCaptura))).size());

  // A pack that cannot run (another program has the table open) still
  // leaves both cursors open, and says why.
  Agrega(*deta, {"X"});
  db::Tabla ajena;
  ajena.SetCarpeta(kPrograma);
  ajena.SetNombreTabla("deta.db");
  ajena.Open();
  EXPECT_THROW(VaciaCaptura(*deta, *total), plat::Error);
  EXPECT_TRUE(deta->Active());
  EXPECT_TRUE(total->Active());
  EXPECT_EQ(total->RecordCount(), 0);
}
