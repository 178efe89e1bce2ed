// The movement window's totals and stock adjustments: "Calcula Cantidad",
// "Ajuste de Existencias por Movimientos", "Ajuste de Inventario" with the
// posting of a physical count, "Ajuste" and "Actualizar".

#include "foundation/adminis.h"
#include "foundation/advierte.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_tablas.h"
#include "inventory/AjusteIN.h"
#include "inventory/Ajustar.h"
#include "inventory/CamposRegistro.h"
#include "inventory/DocumentoMovimiento.h"
#include "inventory/EdicionFila.h"
#include "inventory/RegistroMovimiento.h"
#include "inventory/RegistroProducto.h"
#include "inventory/movinv.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"
#include "shell/Principa.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QSpinBox>
#include <QVBoxLayout>

#include <exception>
#include <map>
#include <optional>
#include <set>

namespace {

const QString kMascaraTotalesAjustes = QStringLiteral("###,##0.00");
const QString kDelicado = QStringLiteral("Recuerde que el siguente Proceso es muy DELICADO Desea Continuar?...");
const QString kTagProductoMovimiento = QStringLiteral("CLPRO_MI");
const QString kFiltroCantidad = QStringLiteral("CANTI_MI > 0");
const QString kNadaCambio = QStringLiteral("; no se cambió nada");

QString LineaAjustes(int n) {
  QString valor;
  LeeLineaConfig(n, valor);
  return valor;
}

bool Administrador() {
  TFormaAdministrador clave;
  clave.ShowModal();
  return clave.Tag() == 1;
}

QString Total(const QString& titulo, double valor) {
  return titulo + FormatoImporte(kMascaraTotalesAjustes, TextoReal(valor));
}

QString EnUso(const QString& clave) { return QStringLiteral("El producto %1 está en uso en otra estación").arg(clave); }

// The window's grids let go of their tables while a command writes many
// rows: a grid following every row written costs more than the writing.
class SinRejillas {
 public:
  SinRejillas(ui::RejillaDatos& captura, ui::RejillaDatos& consulta)
      : captura_(captura), consulta_(consulta), fuenteCaptura_(captura.Fuente()), fuenteConsulta_(consulta.Fuente()) {
    captura_.SetFuente(nullptr);
    consulta_.SetFuente(nullptr);
  }
  ~SinRejillas() {
    captura_.SetFuente(fuenteCaptura_);
    consulta_.SetFuente(fuenteConsulta_);
  }
  SinRejillas(const SinRejillas&) = delete;
  SinRejillas& operator=(const SinRejillas&) = delete;

 private:
  ui::RejillaDatos &captura_, &consulta_;
  ui::FuenteDatos *fuenteCaptura_, *fuenteConsulta_;
};

// One row of the adjustment sheet to post.
struct RenglonAjuste {
  QString clave, producto;
  std::optional<Dinero> costo;
  double ajuste;
};

}  // namespace

void TFormaMovimientosInventario::CreaAjustes() {
  // The menus join those the window has, in their place before "Ayuda".
  QMenu* ayuda = MainMenu1->findChild<QMenu*>(QStringLiteral("Ayuda1"));
  const auto menu = [&](const char* nombre, const QString& texto) {
    if (auto* m = MainMenu1->findChild<QMenu*>(QString::fromLatin1(nombre))) return m;
    QMenu* m = ui::MenuNombrado(MainMenu1, nombre, texto);
    if (ayuda) MainMenu1->insertMenu(ayuda->menuAction(), m);
    return m;
  };
  QMenu* opciones = menu("Opciones1", QStringLiteral("Opciones"));
  CalculaCantidad1 = ui::AccionNombrada(opciones, "CalculaCantidad1", QStringLiteral("Calcula Cantidad"));
  CalculaCantidad1->setCheckable(true);
  AjustedeInventario1 = ui::AccionNombrada(opciones, "AjustedeInventario1", QStringLiteral("Ajuste de Inventario"));
  // Between the text file import and the transfer file import, when the
  // menu has them.
  if (auto* antes = opciones->findChild<QAction*>(QStringLiteral("ImportarArchivo1")))
    for (QAction* a : {CalculaCantidad1, AjustedeInventario1}) opciones->insertAction(antes, a);
  Procesos1 = menu("Procesos1", QStringLiteral("Procesos"));
  AjustedeExistenciasporMovimientos1 = ui::AccionNombrada(Procesos1, "AjustedeExistenciasporMovimientos1",
                                                          QStringLiteral("Ajuste de Existencias por Movimientos"));
  Ajuste1 = ui::AccionNombrada(Procesos1, "Ajuste1", QStringLiteral("Ajuste"));
  Actualizart1 = ui::AccionNombrada(ayuda ? ayuda : Procesos1, "Actualizart1", QStringLiteral("Actualizar"));

  using V = TFormaMovimientosInventario;
  const std::pair<QAction*, void (V::*)()> comandos[] = {
      {CalculaCantidad1, &V::CalculaCantidad1Click},
      {AjustedeInventario1, &V::AjustedeInventario1Click},
      {AjustedeExistenciasporMovimientos1, &V::AjustedeExistenciasporMovimientos1Click},
      {Ajuste1, &V::Ajuste1Click},
      {Actualizart1, &V::Actualizart1Click},
  };
  for (const auto& [accion, comando] : comandos)
    ui::Conecta(accion, &QAction::triggered, this, [this, comando] { (this->*comando)(); });

  // The footer's totals, above the help lines.
  auto* pie = findChild<QWidget*>(QStringLiteral("Panel2"));
  auto* totales = new QHBoxLayout;
  const auto etiqueta = [&](const char* nombre) {
    auto* l = new QLabel(pie);
    l->setObjectName(QString::fromLatin1(nombre));
    l->hide();
    totales->addWidget(l);
    return l;
  };
  Entradas = etiqueta("Entradas");
  Salidas = etiqueta("Salidas");
  Existencias = etiqueta("Existencias");
  totales->addStretch();
  if (auto* lineas = pie ? qobject_cast<QVBoxLayout*>(pie->layout()) : nullptr) lineas->insertLayout(0, totales);
}

bool TFormaMovimientosInventario::SinCaptura() {
  if (!Capturando()) return Tablamovinve->Active();
  MuestraMensaje(kNecesarioGuardar);
  return false;
}

// --- Totals.

void TFormaMovimientosInventario::CalculaCantidad1Click() {
  // The item was toggled by the click.
  const bool marcado = CalculaCantidad1->isChecked();
  if (!SinCaptura()) {
    CalculaCantidad1->setChecked(!marcado);
    return;
  }
  if (!marcado) return;  // the labels keep the last totals
  TotalizaMovimientos();
  ExistenciaPorTotales = LineaAjustes(ConfActualizaExistencias) == u"S";
}

void TFormaMovimientosInventario::TotalizaMovimientos() {
  db::Tabla& t = *Tablamovinve;
  if (!t.Active()) return;
  double entradas = 0, salidas = 0, vendido = 0;
  QString clave;
  t.First();
  while (!t.Eof() && !t.IsEmpty()) {
    const double cantidad = t.FieldByName(QStringLiteral("CANTI_MI")).AsFloat();
    if (cantidad == 0 || t.FieldByName(QStringLiteral("CLDOC_MI")).IsNull()) {
      // A row that is no movement goes; one held by another station stays.
      try {
        t.Edit();
        RegistraBorrado(t);
        t.Delete();
        continue;
      } catch (const std::exception&) {
        if (t.State() != db::Dataset::Estado::Navegando) t.Cancel();
        t.Next();
        continue;
      }
    }
    const int concepto = static_cast<int>(t.FieldByName(QStringLiteral("TIMOV_MI")).AsInteger());
    clave = t.FieldByName(QStringLiteral("CLPRO_MI")).AsString();
    if (EsEntrada(concepto)) {
      entradas += cantidad;
    } else {
      salidas += cantidad;
      if (concepto == ConceptoVentaRemision) vendido += cantidad;
    }
    t.Next();
  }
  t.First();
  Entradas->setText(Total(QStringLiteral("Entradas "), entradas));
  Salidas->setText(Total(QStringLiteral("Salidas "), salidas));
  Existencias->setText(Total(QStringLiteral("Existencias "), entradas - salidas));
  for (QLabel* l : {Entradas, Salidas, Existencias}) l->show();
  if (ExistenciaPorTotales) ActualizaExistenciaPorMovimientos(clave, vendido, entradas - salidas);
}

void TFormaMovimientosInventario::ActualizaExistenciaPorMovimientos(const QString& clave, double vendido,
                                                                    double existencia) {
  if (Tablamovinve->IndexName().compare(kTagProductoMovimiento, Qt::CaseInsensitive) != 0) return;
  db::Tabla& p = *TablaInventario;
  if (clave.isEmpty() || !p.Active() || !p.FindKey({clave})) return;
  const Dinero precio = registro::LeeImporte(p.FieldByName(QStringLiteral("PPUBL_I"))).value_or(Dinero());
  FijaExistencia(p, TextoReal(existencia), [&](db::Tabla& t) {
    t.FieldByName(QStringLiteral("VANCA_I")).SetAsFloat(vendido);
    registro::Escribe(t.FieldByName(QStringLiteral("VANMO_I")), std::optional<Dinero>(precio * vendido));
  });
}

void TFormaMovimientosInventario::MuestraProducto(const QString& clave) {
  db::Tabla& t = *Tablamovinve;
  t.SetRange({clave}, {clave});
  t.SetFilter(kFiltroCantidad);
  t.SetFiltered(true);
  EnlazaCabecera();
  if (!t.IsEmpty()) EditAlmacen->setValue(static_cast<int>(t.FieldByName(QStringLiteral("NALMA_MI")).AsInteger()));
  MuestraNombreConcepto();
}

void TFormaMovimientosInventario::AjustedeExistenciasporMovimientos1Click() {
  if (!SinCaptura()) return;
  if (!Administrador()) {
    MuestraMensaje(kSinAccesoModulo);
    return;
  }
  if (!TablaInventario->Active()) return;
  QStringList claves;
  for (TablaInventario->First(); !TablaInventario->Eof(); TablaInventario->Next())
    claves << TablaInventario->FieldByName(QStringLiteral("CLPRO_I")).AsString();

  const bool marcado = CalculaCantidad1->isChecked();
  const bool porTotales = ExistenciaPorTotales;
  CalculaCantidad1->setChecked(true);
  ExistenciaPorTotales = true;
  const auto restaura = [&] {
    Tablamovinve->CancelRange();
    TablaCompleta();
    CalculaCantidad1->setChecked(marcado);
    ExistenciaPorTotales = porTotales;
    Tablamovinve->FindNearest({numeroDocumento_});
    MuestraDocumento(Llegada::Guardado);
  };
  try {
    Tablamovinve->CancelRange();
    Tablamovinve->SetIndexName(kTagProductoMovimiento);
    // Each product's stock, sold quantity and amount from its own rows.
    for (const QString& clave : claves) {
      if (clave.isEmpty()) continue;
      MuestraProducto(clave);
      TotalizaMovimientos();
      repaint();
      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
  } catch (...) {
    restaura();
    throw;
  }
  restaura();
}

// --- Physical counts.

void TFormaMovimientosInventario::AjustedeInventario1Click() {
  if (!SinCaptura()) return;
  if (!Administrador()) return;
  TFormaAdvertencia aviso;
  aviso.Label1->setText(kDelicado);
  aviso.Label1->setFixedWidth(570);
  aviso.resize(580, aviso.height());
  aviso.SetTag(0);
  aviso.ShowModal();
  if (aviso.Tag() != 1) return;
  const QString carpeta = CarpetaDeTabla(kTablaConteo);
  CreaTablaAjuste(carpeta);
  LlenaTablaAjuste(carpeta);
  AbreHojaConteo(carpeta);
}

bool TFormaMovimientosInventario::GuardaConteo(const std::vector<LineaConteo>& lineas, bool reinicia) {
  if (!SinCaptura()) return false;
  if (reinicia) {
    try {
      UsoExclusivoMovimientos(true);
    } catch (const plat::Error& e) {
      MuestraMensaje(e.mensaje() + kNadaCambio);
      return false;
    }
  }
  bool guardado = false;
  try {
    if (!reinicia || ReiniciaInventario()) {
      IniciaDocumento(ConceptoConteoFisico);
      SinRejillas sin(*Detalle, *DetalleConsulta);
      for (const LineaConteo& l : lineas)
        if (l.cantidad.value_or(0) != 0) AgregaLineaConteo(l.clave, *l.cantidad);
      TablaDeta->First();
      guardado = GuardaDocumentoMovimiento();
    }
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
  }
  if (reinicia) {
    try {
      UsoExclusivoMovimientos(false);
    } catch (const std::exception& e) {
      ui::MuestraExcepcion(e);
    }
  }
  if (!guardado) return false;

  // The stock is what was counted, once the document stands.
  QStringList fallas;
  for (const LineaConteo& l : lineas) {
    if (!TablaInventario->FindKey({l.clave})) continue;
    try {
      FijaExistencia(*TablaInventario, l.reales);
    } catch (const plat::Error& e) {
      fallas << e.mensaje();
    }
  }
  if (!fallas.isEmpty())
    MuestraMensaje(QStringLiteral("No se fijó la existencia contada:\n") + fallas.join(u'\n'));
  return true;
}

void TFormaMovimientosInventario::AgregaLineaConteo(const QString& clave, double cantidad) {
  TablaDeta->Append();
  try {
    TablaDeta->FieldByName(QStringLiteral("CANTIDAD")).SetAsFloat(cantidad);
    TablaDeta->FieldByName(QStringLiteral("CLAVE")).SetAsString(clave);
    // The grid's rule completes the line: description, cost and price.
    BuscaProductoLinea();
    TablaDeta->Post();
  } catch (...) {
    TablaDeta->Cancel();
    throw;
  }
}

void TFormaMovimientosInventario::UsoExclusivoMovimientos(bool exclusivo) {
  db::Tabla& t = *Tablamovinve;
  // The provisional row of a document being captured is held again after.
  const bool retenido = Capturando() && t.State() == db::Dataset::Estado::Editando;
  const qint64 fila = retenido ? t.RecNo() : 0;
  if (t.State() != db::Dataset::Estado::Navegando && t.Active()) t.Cancel();
  t.Close();
  t.SetExclusive(exclusivo);
  const auto vuelve = [&] {
    TablaCompleta();
    if (retenido && t.VeARegistro(fila)) {
      t.Edit();
      EnlazaCabecera();
    } else if (!Capturando()) {
      t.FindNearest({numeroDocumento_});
      MuestraDocumento(Llegada::Guardado);
    }
  };
  try {
    t.Open();
  } catch (...) {
    t.SetExclusive(false);
    AbreTabla(t);
    if (t.Active()) vuelve();
    throw;
  }
  vuelve();
}

bool TFormaMovimientosInventario::ReiniciaInventario() {
  db::Tabla& p = *TablaInventario;
  // Every stock to 0, taken back when a product cannot be changed or the
  // movements cannot go.
  std::vector<std::pair<qint64, QString>> cambiados;
  try {
    for (p.First(); !p.Eof(); p.Next()) {
      const QString antes = p.FieldByName(QStringLiteral("EXIST_I")).AsString();
      if (antes == u"0") continue;
      const qint64 fila = p.RecNo();
      FijaExistencia(p, QStringLiteral("0"));
      cambiados.emplace_back(fila, antes);
    }
    Tablamovinve->EmptyTable();
  } catch (const std::exception& e) {
    bool todo = true;
    for (auto i = cambiados.rbegin(); i != cambiados.rend(); ++i) {
      try {
        if (!p.VeARegistro(i->first)) throw plat::Error(plat::Clase::NoExiste, p.NombreTabla());
        FijaExistencia(p, i->second);
      } catch (const std::exception&) {
        todo = false;
      }
    }
    MuestraMensaje(plat::TextoError(e) +
                   (todo ? kNadaCambio : QStringLiteral("; algunas existencias quedaron en 0")));
    return false;
  }
  return true;
}

// --- Adjustment sheet.

void TFormaMovimientosInventario::Ajuste1Click() {
  if (!SinCaptura()) return;
  TFormaAjusteIN hoja;
  hoja.LabelRuta->setText(CarpetaDeTabla(kTablaProductos));
  hoja.SetTag(0);
  hoja.ShowModal();
  if (hoja.Tag() != 1) return;
  std::vector<RenglonAjuste> renglones;
  db::Tabla& s = *hoja.TablaSQLM_P;
  if (s.Active())
    for (s.First(); !s.Eof(); s.Next()) {
      const double ajuste = registro::LeeReal(s.FieldByName(QStringLiteral("AJUSTE"))).value_or(0);
      if (ajuste == 0) continue;
      renglones.push_back({s.FieldByName(QStringLiteral("CLAVE")).AsString(),
                           s.FieldByName(QStringLiteral("PRODUCTO")).AsString(),
                           registro::LeeImporte(s.FieldByName(QStringLiteral("COSTO"))), ajuste});
    }
  if (renglones.empty()) return;

  // One document for the run; each row moves its product's stock and
  // leaves its movement row. When one cannot be written, what was written
  // is taken back.
  db::Tabla& m = *Tablamovinve;
  db::Tabla& p = *TablaInventario;
  std::vector<qint64> filas;
  std::vector<std::pair<qint64, double>> existencias;
  qint64 numero = 0;
  SinRejillas sin(*Detalle, *DetalleConsulta);
  try {
    for (const RenglonAjuste& r : renglones) {
      if (!r.clave.isEmpty() && p.Active() && p.FindKey({r.clave})) {
        const qint64 fila = p.RecNo();
        SumaExistencia(p, r.ajuste);
        existencias.emplace_back(fila, r.ajuste);
      }
      const auto llena = [&](db::Tabla& t) {
        t.FieldByName(QStringLiteral("FEDOC_MI")).SetAsDate(fs::Hoy());
        t.FieldByName(QStringLiteral("CANTI_MI")).SetAsFloat(r.ajuste > 0 ? r.ajuste : -r.ajuste);
        t.FieldByName(QStringLiteral("CLPRO_MI")).SetAsString(r.clave);
        t.FieldByName(QStringLiteral("DESCR_MI")).SetAsString(r.producto);
        registro::Escribe(t.FieldByName(QStringLiteral("COSUN_MI")), r.costo);
        t.FieldByName(QStringLiteral("TIMOV_MI"))
            .SetAsInteger(r.ajuste > 0 ? ConceptoAjusteEntrada : ConceptoAjusteSalida);
      };
      if (numero == 0) {
        numero = IniciaDocumentoMovimiento(m, llena);
      } else {
        m.Append();
        try {
          m.FieldByName(QStringLiteral("CLDOC_MI")).SetAsInteger(numero);
          llena(m);
          m.Post();
        } catch (...) {
          m.Cancel();
          throw;
        }
      }
      filas.push_back(m.RecNo());
    }
  } catch (const std::exception& e) {
    bool todo = true;
    for (auto i = filas.rbegin(); i != filas.rend(); ++i) {
      try {
        if (!m.VeARegistro(*i)) throw plat::Error(plat::Clase::NoExiste, m.NombreTabla());
        m.Delete();
      } catch (const std::exception&) {
        todo = false;
      }
    }
    for (auto i = existencias.rbegin(); i != existencias.rend(); ++i) {
      try {
        if (!p.VeARegistro(i->first)) throw plat::Error(plat::Clase::NoExiste, p.NombreTabla());
        SumaExistencia(p, -i->second);
      } catch (const std::exception&) {
        todo = false;
      }
    }
    MuestraMensaje(plat::TextoError(e) +
                   (todo ? QStringLiteral("; no se hizo el ajuste") : QStringLiteral("; parte del ajuste quedó hecha")));
    TablaCompleta();
    m.FindNearest({numeroDocumento_});
    MuestraDocumento(Llegada::Guardado);
    return;
  }
  TablaCompleta();
  m.FindNearest({numero});
  MuestraDocumento(Llegada::Guardado);
}

// --- Dates of the last movement.

void TFormaMovimientosInventario::Actualizart1Click() {
  if (!SinCaptura()) return;
  // The view shows every row with a quantity from here on.
  db::Tabla& t = *Tablamovinve;
  TablaCompleta();
  t.SetFilter(kFiltroCantidad);
  t.SetFiltered(true);
  t.First();
  EnlazaCabecera();
  // Each product ends with the date of its row that comes last in
  // document-number order; the rows are read through a handle of their own.
  db::Tabla filas;
  filas.SetCarpeta(t.Carpeta());
  filas.SetNombreTabla(t.NombreTabla());
  filas.SetReadOnly(true);
  filas.Open();
  filas.SetIndexName(kTagDocumentoMovimiento);
  filas.SetFilter(kFiltroCantidad);
  filas.SetFiltered(true);
  std::map<QString, QDate> fechas;
  for (filas.First(); !filas.Eof(); filas.Next())
    fechas[filas.FieldByName(QStringLiteral("CLPRO_MI")).AsString()] =
        filas.FieldByName(QStringLiteral("FEDOC_MI")).AsDate();
  filas.Close();
  db::Tabla& p = *TablaInventario;
  if (p.Active())
    for (const auto& [clave, fecha] : fechas) {
      if (clave.isEmpty() || !p.FindKey({clave})) continue;
      CambiaFila(p, EnUso(clave), [&] {
        db::Campo& campo = p.FieldByName(QStringLiteral("FPGCI_I"));
        if (fecha.isValid()) campo.SetAsInteger(NumeroDeFecha(fecha));
        else campo.Clear();
      });
    }
  MuestraMensaje(QStringLiteral("proceso terminado"));
}
