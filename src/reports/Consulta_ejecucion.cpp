// Running a view: its statement, the result grid, the work table and the
// paged report.

#include "reports/Consulta.h"

#include "foundation/dialogos.h"
#include "platform/db/Consulta.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaTexto.h"
#include "reports/ArchivosReporte.h"
#include "reports/Graficas.h"
#include "reports/TablaTrabajo.h"
#include "reports/Vistas.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>

#include <memory>

namespace {

constexpr int kLineaTitulo = 10;

}  // namespace

void TFormaConsulta::EjecutarClick() {
  EstadoConsultas().BanderaRetiros = QStringLiteral("N");
  auto graficas = std::make_unique<TFormaGraficas>(this);
  const QString vista = Archivo->currentText();
  if (fs::ExisteArchivo(vista)) {
    TipoVista = vista;
    Descripcion->clear();
  } else {
    MuestraMensaje(QStringLiteral("El Archivo No Existe"));
  }
  if (!fs::ExisteArchivo(vista)) {
    MuestraMensaje(QStringLiteral("El Archivo De consulta No Existe..."));
  } else {
    try {
      AreaClaves = LeeVista(vista);
      CorreVista(*graficas);
    } catch (const std::exception&) {
      MuestraMensaje(QStringLiteral("Ocurrio un error revise sus condiciones y su archivo de consulta"));
      graficas->TablaConsultaSQL->Close();
      graficas->TablaConsultaSQL->SetSQL(QString());
    }
  }
  VaciaCondiciones(kFilasCondiciones - 1);
}

void TFormaConsulta::CorreVista(TFormaGraficas& graficas) {
  Condiciones->CierraEditor();
  db::Consulta& consulta = *graficas.TablaConsultaSQL;
  consulta.Close();
  consulta.SetSQL(SentenciaDeVista());
  consulta.Open();
  EstadoConsultas().AnchosVista = LineaVista(AreaClaves, 5);
  const QStringList titulos = TitulosVista(consulta.NombresCampos(), AreaClaves);
  graficas.PonTitulos(titulos);
  const QChar modo = ModoVista(AreaClaves);
  if (AreaClaves.size() >= kLineaTitulo) graficas.setWindowTitle(LineaVista(AreaClaves, kLineaTitulo));
  if (modo == u'N') {
    graficas.VerReporteClick();
    return;
  }

  // The work table is this run's from its making until the report closes.
  UsoTablaTrabajo uso;
  if (!uso.Toma()) {
    consulta.Close();
    MuestraMensaje(QStringLiteral("La tabla ") + RutaTablaTrabajo() + QStringLiteral(" está ocupada por otra estación"));
    return;
  }
  CreaTablaTrabajo(*TablaTemporal, consulta, Consecutivo->isChecked());
  db::Tabla& trabajo = *graficas.TablaAuxiliar;
  trabajo.SetCarpeta(CarpetaTrabajoReporte());
  trabajo.SetNombreTabla(kTablaTrabajo);
  trabajo.SetExclusive(true);
  trabajo.Open();
  try {
    LlenaTablaTrabajo(consulta, trabajo, titulos, modo, Consecutivo->isChecked());
  } catch (const std::exception&) {
    // The rows written so far are shown.
  }
  if (modo == u'T') EscribeRetirosVista(AreaClaves);
  trabajo.First();
  graficas.DataSource2->SetDataSet(&trabajo);
  graficas.PonTitulos(TitulosTablaTrabajo(consulta, titulos, Consecutivo->isChecked()));
  graficas.VerReporteClick();
  trabajo.Close();
  consulta.Close();
}
