#include "salesdocs/GraficasVenta.h"

#include "foundation/decimal.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_texto.h"
#include "platform/db/Campo.h"
#include "platform/db/Catalogo.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/Aplicacion.h"
#include "pos/CaptuRap.h"
#include "reports/Barras.h"
#include "reports/CerrojoTabla.h"
#include "reports/Formatos.h"
#include "reports/GeneradorReporte.h"
#include "reports/ProtocoloReporte.h"
#include "shell/LugarTablas.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTextEdit>
#include <QToolButton>

#include <array>
#include <memory>
#include <optional>

namespace {

const QString kFactAuxi = QStringLiteral("FactAuxi.dbf");

enum Otro : unsigned {
  SinRango = 1,        // no key range proposed
  VaciaTexto = 2,      // the viewer's text page emptied
  PorMes = 4,          // ConcentraPorMes after the widths
  PorAno = 8,          // ConcentraPorAno before the viewer
  SiempreDevoluc = 16  // returns always included
};

struct GraficaVenta {
  const char* clave;
  const char* llave;
  const char* texto;
  std::array<const char*, 8> columnas;
  const char* modo;
  const char* tituloLlave;
  const char* tituloTexto;
  std::array<const char*, 8> titulos;
  const char* grafica;
  const char* ejeInferior;
  const char* ejeIzquierdo;
  qint16 divisor;
  unsigned otro;
};

#define COMISION "&%IMTOD_F&*&%CTOVE_F&*&0.01&"
const GraficaVenta kGraficas[] = {
    {"VentasporDa1", "FEDOC_F", "", {"IMTOD_F", "CTOVE_F", COMISION}, "C", "Fecha", "",
     {"Importe", "- % Comis. Vend.", "Comisión"}, "Gráfica de Ventas por Día", "Día", "Total por Día", 1, 0},
    {"VentasporMes1", "FEDOC_F", "", {"IMTOD_F", "CTOVE_F", COMISION}, "C", "Fecha", "",
     {"Importe", "- % Comis. Vend.", "Comisión"}, "Gráfica de Ventas por Mes", "Mes", "Total por Mes", 1, PorMes},
    {"Ventasporao1", "FEDOC_F", "", {"IMTOD_F", "CTOVE_F", COMISION}, "C", "Fecha", "",
     {"Importe", "- % Comis. Vend.", "Comisión"}, "Gráfica de Ventas por Año", "Año", "Total por Año", 1, PorAno},
    {"DesgloceporMoneda1", "CLDOC_F", "NOMDI_F",
     {"DIVIS_F", "SUBTO_F", "IMTOD_F", "&%SUBTO_F&*&%DIVIS_F&*&1.00&", "&%IMTOD_F&*&%DIVIS_F&*&1.00&"}, "D",
     "Documento", "Nombre", {"Valor Div.", "SubTotal Divisa", "Total Divisa", "Subtotal M.N.", "Total M.N."},
     "Gráfica Desgloce por Moneda", "Número de Documento", "Total por Moneda", 3, VaciaTexto},
    {"CortedeCaja1", "CLDOC_F", "NOMBR_F", {"IMTOD_F", "SUBTO_F"}, "D", "Documento", "Nombre",
     {"Total del Documento", "SubTotal"}, "Gráfica de Consecutivo de Documentos", "Número de Documento",
     "Total por Documento", 1, VaciaTexto | SiempreDevoluc},
    {"VentasporCaja1", "BCLIM_F", "CLDOC_F", {"NOMBR_F", "IMTOD_F", "SUBTO_F", "IMIM2_F"}, "DC", "Caja", "Documento",
     {"-Nombre", "Total del Documento", "SubTotal", "IVA"}, "Gráfica de Consecutivo de Documentos",
     "Número de Documento", "Total por Documento", 1, SinRango | VaciaTexto},
    {"VentasporVendedor1", "CLVEN_F", "CLDOC_F", {"NOMBR_F", "IMTOD_F", "SUBTO_F", "IMIM2_F"}, "DC", "Vendedor",
     "Documento", {"-Nombre", "Total del Documento", "SubTotal", "IVA"}, "Gráfica de Consecutivo de Documentos",
     "Número de Documento", "Total por Documento", 1, SinRango | VaciaTexto},
};
#undef COMISION

QString U(const char* s) { return s ? QString::fromUtf8(s) : QString(); }

// A cursor of the command's own on the header table: the window's record
// does not move while the generator walks the rows.
std::unique_ptr<db::Tabla> CursorEncabezado(const db::Tabla& encabezado) {
  auto t = std::make_unique<db::Tabla>();
  t->SetCarpeta(encabezado.Carpeta());
  t->SetNombreTabla(encabezado.NombreTabla());
  t->Open();
  t->SetIndexName(QStringLiteral("INUMENC"));
  return t;
}

// Appends to the work table the rows of the source dated in the period;
// `negar`: the fields whose amounts are turned negative.
void CopiaPeriodo(db::Tabla& fuente, db::Tabla& trabajo, const QString& campoFecha, const QDate& desde,
                  const QDate& hasta, const QStringList& negar) {
  for (fuente.First(); !fuente.Eof(); fuente.Next()) {
    const QDate fecha = fuente.FieldByName(campoFecha).AsDate();
    if (!fecha.isValid() || fecha < desde || fecha > hasta) continue;
    trabajo.Append();
    try {
      CopiaCamposTexto(fuente, trabajo);
      for (const QString& campo : negar) {
        db::Campo& c = trabajo.FieldByName(campo);
        if (std::optional<NumeroDecimal> n = LeeDecimal(c.AsString()); n && !n->EsCero()) {
          n->negativo = !n->negativo;
          c.SetAsString(TextoGeneral(*n));
        }
      }
      trabajo.Post();
    } catch (...) {
      trabajo.Cancel();
      throw;
    }
  }
}

void CorreGrafica(const VentanaGrafica& p, const GraficaVenta& g) {
  QAction* item = p.menu->findChild<QAction*>(QLatin1String(g.clave));
  const QString caption = item ? item->text() : QString();
  auto formatos = std::make_unique<TFormaFormatos>();
  auto barras = std::make_unique<TFormaBarras>();
  formatos->Rangos->show();
  formatos->Formatos->hide();
  PreparaParametrosReporte(true, true, false, true, false, true, true, true, true, QStringLiteral("facturae.dbf"));
  std::unique_ptr<db::Tabla> encabezado = CursorEncabezado(*p.encabezado);
  if (!(g.otro & SinRango)) {
    QString primera, ultima;
    if (!encabezado->IsEmpty()) {
      encabezado->First();
      primera = encabezado->FieldByName(QStringLiteral("CLDOC_F")).AsString();
      encabezado->Last();
      ultima = encabezado->FieldByName(QStringLiteral("CLDOC_F")).AsString();
    }
    FijaRangoReporte(0, 0, primera, ultima);
  }
  formatos->ShowModal();
  if (formatos->Tag() != 1) {
    formatos->SetTag(0);
    return;
  }
  const auto codigo = [&](int n) { return CodigoOperador(formatos->Operador[n]->currentText()); };
  FijaCondicionesReporte(formatos->C[0]->text(), codigo(0), formatos->Valor[0]->currentText(), formatos->T[0]->text(),
                         formatos->C[1]->text(), codigo(1), formatos->Valor[1]->currentText(), formatos->T[1]->text(),
                         formatos->C[2]->text(), codigo(2), formatos->Valor[2]->currentText(), formatos->T[2]->text(),
                         QStringLiteral("Y"));
  const QDate desde = formatos->Inicial->date();
  const QDate hasta = formatos->Final->date();
  std::array<QString, 8> columnas;
  for (int i = 0; i < 8; ++i) columnas[i] = U(g.columnas[i]);
  const bool devoluciones = (g.otro & SiempreDevoluc) || formatos->IncluirDevoluciones->isChecked();
  const auto genera = [&](db::Dataset& datos) {
    GeneraReporte(datos, formatos->De->text(), formatos->Hasta->text(), QStringLiteral("FEDOC_F"), TextoFecha(desde),
                  TextoFecha(hasta), U(g.llave), U(g.texto), columnas, QStringLiteral("STATU_F"), QStringLiteral("!"),
                  QStringLiteral("C"), U(g.modo));
  };
  if (devoluciones) {
    // FactAuxi.dbf is this run's from its making until the generator has
    // read it.
    CerrojoTabla uso(fs::Une(p.carpetaAuxiliar, kFactAuxi));
    if (!uso.Toma()) {
      MuestraMensaje(QStringLiteral("La tabla ") + uso.Tabla() + QStringLiteral(" está ocupada por otra estación"));
      formatos->SetTag(0);
      return;
    }
    p.preparaAuxiliar(p.encabezado->NombreTabla(), QStringLiteral("devoluc.dbf"), kFactAuxi, desde, hasta,
                      QStringLiteral("INUMENC"));
    try {
      genera(*p.auxiliar);
    } catch (...) {
      p.auxiliar->Close();
      throw;
    }
    p.auxiliar->Close();
  } else {
    genera(*encabezado);
  }
  if (EstadoGeneradorReporte().Rechazada) {
    formatos->SetTag(0);
    return;
  }
  std::array<QString, 8> titulos;
  for (int i = 0; i < 8; ++i) titulos[i] = U(g.titulos[i]);
  EscribeTitulosReporte(U(g.tituloLlave), U(g.tituloTexto), titulos);
  EscribeAnchosReporte({20, 20, 20, 20, 20, 20, 20, 20, 20, 20});
  if (g.otro & PorMes) ConcentraPorMes();
  barras->setWindowTitle(TituloReporte(QStringLiteral("Reporte de ") + caption, formatos->Titulo->text()));
  PreparaGraficaReporte(U(g.grafica), U(g.ejeInferior), U(g.ejeIzquierdo), g.divisor);
  if (g.otro & VaciaTexto) barras->Concentrado->clear();
  barras->SetTag(0);
  ui::SetTag(barras->Panel2, 0);
  ui::SetTag(barras->BotonGrafica, kVistaReporte);
  if (g.otro & PorAno) ConcentraPorAno();
  barras->ShowModal();
  barras->SetTag(0);
  formatos->SetTag(0);
}

}  // namespace

void CopiaCamposTexto(const db::Dataset& origen, db::Dataset& destino) {
  for (const QString& nombre : origen.NombresCampos()) {
    if (db::Campo* c = destino.FindField(nombre)) c->SetAsString(origen.FieldByName(nombre).AsString());
  }
}

void PreparaFactAuxi(TFormaCapturaRapida& p, const QString& fuente, const QString& devoluciones, const QString& trabajo,
                     const QDate& desde, const QDate& hasta, const QString& indice) {
  p.repaint();
  PreparaFactAuxi(*p.TablaAuxiliar, *p.TablaFacturae, *p.TablaFacturaD, p.RutaDatosVenta, fuente, devoluciones,
                  trabajo, desde, hasta, indice);
}

void PreparaFactAuxi(db::Tabla& aux, const db::Tabla& encabezados, const db::Tabla& partidas,
                     const QString& carpeta, const QString& fuente, const QString& devoluciones,
                     const QString& trabajo, const QDate& desde, const QDate& hasta, const QString& indice) {
  const bool encabezado = trabajo.toLower() == u"factauxi.dbf";
  const QString campoFecha = encabezado ? QStringLiteral("FEDOC_F") : QStringLiteral("FEDOC_FD");
  const QString archivo = encabezado ? kFactAuxi : QStringLiteral("FactAuxiD.dbf");
  try {
    db::Tabla::Borra(carpeta, archivo);
  } catch (const std::exception&) {
  }
  try {
    const db::Tabla& modelo = encabezado ? encabezados : partidas;
    const db::DefTag tag = encabezado ? db::campo::Tag(QStringLiteral("INUMENC"), QStringLiteral("CLDOC_F"))
                                      : db::campo::Tag(QStringLiteral("CLDOC_FD"));
    db::Tabla::Crea(carpeta, archivo, modelo.Definiciones(), QVector<db::DefTag>{tag});
  } catch (const std::exception&) {
    // Rows go into whatever table of that name is there; opening it says
    // what is wrong.
  }
  aux.Close();
  aux.SetCarpeta(carpeta);
  aux.SetNombreTabla(archivo);
  aux.Open();
  aux.SetIndexName(indice);
  while (!aux.IsEmpty()) {
    aux.First();
    aux.Delete();
  }
  db::Tabla origen;
  ApuntaTabla(origen, fuente);
  origen.SetReadOnly(true);
  origen.Open();
  CopiaPeriodo(origen, aux, campoFecha, desde, hasta, {});
  origen.Close();
  ApuntaTabla(origen, devoluciones);
  origen.Open();
  CopiaPeriodo(origen, aux, campoFecha, desde, hasta,
               encabezado ? QStringList{QStringLiteral("IMTOD_F"), QStringLiteral("SUBTO_F")}
                          : QStringList{QStringLiteral("CANTI_FD")});
  origen.Close();
}

bool EjecutaGraficaVenta(TFormaCapturaRapida& p, const QString& clave) {
  VentanaGrafica v;
  v.menu = p.MainMenu1;
  v.encabezado = p.TablaFacturae;
  v.auxiliar = p.TablaAuxiliar;
  v.carpetaAuxiliar = p.RutaDatosVenta;
  v.preparaAuxiliar = [&p](const QString& fuente, const QString& devoluciones, const QString& trabajo,
                           const QDate& desde, const QDate& hasta, const QString& indice) {
    PreparaFactAuxi(p, fuente, devoluciones, trabajo, desde, hasta, indice);
  };
  return EjecutaGraficaVenta(v, clave);
}

bool EjecutaGraficaVenta(const VentanaGrafica& p, const QString& clave) {
  for (const GraficaVenta& g : kGraficas) {
    if (clave == QLatin1String(g.clave)) {
      CorreGrafica(p, g);
      return true;
    }
  }
  return false;
}

void InstalaGraficasVenta(TFormaCapturaRapida& p) {
  for (const GraficaVenta& g : kGraficas) {
    const QString clave = QLatin1String(g.clave);
    if (QAction* a = p.MainMenu1->findChild<QAction*>(clave))
      p.AsignaComando(a, [&p, clave] { ui::Protege([&] { EjecutaGraficaVenta(p, clave); }); });
  }
}
