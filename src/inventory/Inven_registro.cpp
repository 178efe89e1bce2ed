// The product window's modes and record commands: new, change, save,
// delete, and the save question when the window is closed while editing.

#include "inventory/Inven.h"
#include "inventory/RecalculoExistencia.h"

#include "foundation/advierte.h"
#include "foundation/cerrar.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_tablas.h"
#include "foundation/rutinas_usuarios.h"
#include "inventory/RegistroProducto.h"
#include "platform/Error.h"
#include "platform/db/Numeracion.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/process/Procesos.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Colores.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "shell/LineasConfiguracion.h"
#include "shell/Principa.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollArea>
#include <QSpinBox>
#include <QToolButton>

#include <optional>

namespace {

constexpr ui::TColor kColorEdicion = 0x0000FF;    // red
constexpr ui::TColor kColorNavegacion = 0x0080FF; // orange

const QString kCampoClave = QStringLiteral("CLPRO_I");

bool EnEdicion(const db::Dataset& d) {
  return d.State() == db::Dataset::Estado::Editando || d.State() == db::Dataset::Estado::Insertando;
}

// The product table's numbering lock over the key check and the write of a
// save, taken by a handle of its own (the window's row stays in edit): two
// stations saving one key take turns, and the second finds the first one's
// row.
class TurnoClave {
 public:
  explicit TurnoClave(const db::Tabla& productos) {
    tabla_.SetCarpeta(productos.Carpeta());
    tabla_.SetNombreTabla(productos.NombreTabla());
    tabla_.SetIndexName(kTagClaveProducto);
    tabla_.Open();
    numeracion_.emplace(tabla_);
  }
  db::Tabla& Tabla() { return tabla_; }
  void Suelta() { numeracion_.reset(); }

 private:
  db::Tabla tabla_;
  std::optional<db::Numeracion> numeracion_;
};

}  // namespace

bool TFormaInventario::Nuevo() const { return ui::Tag(BotonNuevo) == 1; }
bool TFormaInventario::Cambio() const { return ui::Tag(BotonCambios) == 1; }
bool TFormaInventario::Administrador() const { return Usuario->text() == u"0"; }
db::Dataset& TFormaInventario::Registro() const { return *DataSource1->DataSet(); }

int TFormaInventario::NumeroUsuario() const { return NumeroUsuarioDe(Usuario->text()); }

void TFormaInventario::PintaDatos(bool editando) {
  QPalette p = Panel2->palette();
  p.setColor(QPalette::Window, ui::ColorQt(editando ? kColorEdicion : kColorNavegacion, p));
  Panel2->setPalette(p);
}

void TFormaInventario::EstadoEdicion(bool editando) {
  for (QAction* a : {Modificar1, Nuevo1, Buscar1, Eliminar1, Imprimir1, PresentacionPreliminar1, Orden1->menuAction(),
                     Reportes1->menuAction(), AgregaPrecios1})
    a->setEnabled(!editando);
  Guardar1->setEnabled(editando);
  for (QWidget* w : std::initializer_list<QWidget*>{BotonCambios, BotonNuevo, BotonBuscar, BotonImprimir, DBNavigator1})
    w->setEnabled(!editando);
  BotonGuardar->setEnabled(editando);
  // The warehouse of the row being edited stays as it is until it is saved.
  NoAlmacen->setEnabled(VariosAlmacenes && !editando);
  PintaDatos(editando);
}

void TFormaInventario::HabilitaDatos(bool habilita) { Caja->setEnabled(habilita); }

void TFormaInventario::TotalesSoloAdministrador() {
  EditVANMO_I->setReadOnly(!Administrador());
  EditVANCA_I->setReadOnly(!Administrador());
}

void TFormaInventario::RegistraBitacora(const QString& accion) {
  if (!ConBitacora) return;
  QString nombre;
  LeeNombreUsuario(Usuario->text(), CarpetaPrograma, nombre);
  RegistraHistorial(true, CarpetaDatos, u'I', EditCLPRO_I->text(), accion, nombre);
}

int TFormaInventario::CuentaClave(db::Tabla& t, const QString& clave) {
  t.Refresh();
  const qint64 propio = Nuevo() ? filaNueva_ : 0;
  const QString almacen = QString::number(NoAlmacen->value());
  int n = 0;
  t.SetRange({clave}, {clave});
  for (; !t.Eof(); t.Next()) {
    if (t.RecNo() == propio) continue;
    if (VariosAlmacenes && t.FieldByName(QStringLiteral("ALMAC_I")).AsString() != almacen) continue;
    ++n;
  }
  t.CancelRange();
  return n;
}

bool TFormaInventario::ClaveAceptable(db::Tabla& productos) {
  const QString clave = EditCLPRO_I->text();
  bool repetida = clave.isEmpty();
  if (!repetida && (Nuevo() || clave != ClaveAnterior)) repetida = CuentaClave(productos, clave) > 0;
  if (!repetida) return true;
  MuestraMensaje(kClaveYaExiste);
  EditCLPRO_I->setFocus(Qt::OtherFocusReason);
  return false;
}

// --- New.

void TFormaInventario::BotonNuevoClick() {
  if (Editando() || !TieneDerecho(NumeroUsuario(), DerechoAltaInventarios)) return;
  TotalesSoloAdministrador();
  HabilitaDatos(true);
  // A new product starts without the picture, serial and kit marks of the
  // product shown before.
  PanelImagen->SetCaption(kSinImagenPanel);
  Imagen->clear();
  Imagen->show();
  Series->setChecked(false);
  Kit->setChecked(false);
  TablaInventario->SetIndexName(kTagClaveProducto);

  QString siguiente;
  const bool consecutivo = [] {
    QString linea;
    LeeLineaConfig(ConfConsecutivoProductos, linea);
    return linea == u"S";
  }();
  ConsecutivoenClavedeProducto1->setChecked(consecutivo);
  try {
    // Two stations pressing "Nuevo" at once take two keys: the next key is
    // read and its row appended under the table's numbering lock.
    std::optional<db::Numeracion> numeracion;
    if (consecutivo) {
      numeracion.emplace(*TablaInventario);
      siguiente = SiguienteClaveProducto(*TablaInventario);
    }
    TablaInventario->Append();
    if (!siguiente.isEmpty()) TablaInventario->FieldByName(kCampoClave).SetAsString(siguiente);
    TablaInventario->Post();
    numeracion.reset();
    filaNueva_ = TablaInventario->RecNo();
    TablaInventario->Edit();
  } catch (...) {
    TablaInventario->Cancel();
    HabilitaDatos(false);
    throw;
  }
  ui::SetTag(BotonCambios, 0);
  ui::SetTag(BotonNuevo, 1);
  EstadoEdicion(true);
  if (siguiente.isEmpty()) {
    EditCLPRO_I->clear();
    EditCLPRO_I->setFocus(Qt::OtherFocusReason);
  } else {
    EditCLPRO_I->setText(siguiente);
    DBEdit1->setFocus(Qt::OtherFocusReason);
  }
  MuestraExistencia();
}

// --- Change.

void TFormaInventario::PreparaCopia() {
  TablaAuxiliar->Close();
  TablaAuxiliar->SetCarpeta(CarpetaPrograma);
  TablaAuxiliar->SetNombreTabla(QStringLiteral("InveAux.dbf"));
  db::Tabla::CopiaRegistros(*TablaInventario, *TablaAuxiliar, false);
  TablaAuxiliar->Open();
  copiaOriginal_.clear();
  for (int i = 0; i < TablaAuxiliar->FieldCount(); ++i) {
    const db::Campo& c = TablaAuxiliar->Fields(i);
    copiaOriginal_[c.Nombre().toUpper()] = c.Value();
  }
  DataSource1->SetDataSet(TablaAuxiliar);
  TablaAuxiliar->Edit();
}

void TFormaInventario::BotonCambiosClick() {
  if (Editando() || !TieneDerecho(NumeroUsuario(), DerechoCambioInventarios)) return;
  if (!TablaInventario->Active() || TablaInventario->IsEmpty()) return;
  TablaInventario->SetIndexName(kTagClaveProducto);
  TotalesSoloAdministrador();
  if (EnEdicion(*TablaInventario)) TablaInventario->Post();
  ClaveAnterior = EditCLPRO_I->text().left(25);
  try {
    PreparaCopia();
  } catch (...) {
    DataSource1->SetDataSet(TablaInventario);
    ClaveAnterior.clear();
    throw;
  }
  HabilitaDatos(true);
  ui::SetTag(BotonCambios, 1);
  ui::SetTag(BotonNuevo, 0);
  EstadoEdicion(true);
  MuestraExistencia();
  DBEdit1->setFocus(Qt::OtherFocusReason);
  RegistraBitacora(QStringLiteral("MODIFICADA"));
}

void TFormaInventario::AplicaCopia(const std::function<void()>& extra) {
  if (EnEdicion(*TablaAuxiliar)) TablaAuxiliar->Post();
  TablaInventario->Edit();
  try {
    // Only what the user changed in the copy: other stations may have
    // written the rest of the row (sales totals, costs) meanwhile. The stock
    // is never taken from the copy.
    for (int i = 0; i < TablaAuxiliar->FieldCount(); ++i) {
      const db::Campo& c = TablaAuxiliar->Fields(i);
      const QString nombre = c.Nombre().toUpper();
      if (nombre == u"EXIST_I") continue;
      const auto original = copiaOriginal_.find(nombre);
      if (original != copiaOriginal_.end() && original->second == c.Value()) continue;
      if (db::Campo* destino = TablaInventario->FindField(nombre)) destino->SetValue(c.Value());
    }
    TablaInventario->FieldByName(kCampoClave).SetAsString(EditCLPRO_I->text());
    if (extra) extra();
    TablaInventario->Post();
  } catch (...) {
    TablaInventario->Cancel();
    throw;
  }
}

void TFormaInventario::DescartaCopia() {
  TablaAuxiliar->Cancel();
  if (TablaAuxiliar->Active()) {
    while (!TablaAuxiliar->IsEmpty()) {
      TablaAuxiliar->First();
      RegistraBorrado(*TablaAuxiliar);
      TablaAuxiliar->Delete();
    }
  }
  DataSource1->SetDataSet(TablaInventario);
  copiaOriginal_.clear();
}

// --- Save.

void TFormaInventario::EscribeControles() {
  const QString imagen = PanelImagen->Caption() == kSinImagenPanel ? QString() : PanelImagen->Caption();
  const std::pair<const char*, QString> valores[] = {{"IMAGE_I", imagen},
                                                     {"SERIE_I", Series->isChecked() ? QStringLiteral("S") : QStringLiteral("N")},
                                                     {"KITXX_I", Kit->isChecked() ? QStringLiteral("S") : QStringLiteral("N")}};
  for (const auto& [campo, valor] : valores) {
    const QString nombre = QString::fromLatin1(campo);
    // In a change, only what differs from the product as it was copied.
    if (Cambio()) {
      const auto original = copiaOriginal_.find(nombre);
      if (original != copiaOriginal_.end() && original->second.toString() == valor) continue;
    }
    TablaInventario->FieldByName(nombre).SetAsString(valor);
  }
}

void TFormaInventario::TerminaEdicion() {
  HabilitaDatos(false);
  EstadoEdicion(false);
  MuestraExistencia();
  ui::SetTag(BotonNuevo, 0);
  ui::SetTag(BotonCambios, 0);
  ClaveAnterior.clear();
  filaNueva_ = 0;
}

void TFormaInventario::BotonGuardarClick() {
  if (!Editando()) return;
  if (TablaInventario2->Active()) TablaInventario2->First();
  TurnoClave turno(*TablaInventario);
  if (!ClaveAceptable(turno.Tabla())) return;
  const QString clave = EditCLPRO_I->text();
  if (Nuevo()) {
    TablaInventario->Edit();
    try {
      TablaInventario->FieldByName(QStringLiteral("FEALT_I")).SetAsDate(fs::Hoy());
    } catch (const std::exception&) {
    }
    TablaInventario->FieldByName(kCampoClave).SetAsString(clave);
    EscribeControles();
    // A refused post keeps what was typed, still being entered.
    TablaInventario->Post();
    turno.Suelta();
    QString abiertas;
    LeeLineaConfig(ConfBasesAbiertas, abiertas);
    if (abiertas == u"NO") {
      RefrescaTabla(*TablaInventario);
      TablaInventario->FindKey({clave.left(20)});
    }
  } else {
    AplicaCopia([this] { EscribeControles(); });
    turno.Suelta();
    DescartaCopia();
    // The saved change stays saved when a document table cannot be read:
    // the recount only reports it.
    try {
      RecalculaExistenciaProducto(clave, *TablaInventario);
    } catch (const std::exception& e) {
      ui::MuestraExcepcion(e);
    }
  }
  TerminaEdicion();
  RegistraBitacora(QStringLiteral("GUARDADA"));
}

// --- Delete.

void TFormaInventario::Eliminar1Click() {
  if (Editando() || !TieneDerecho(NumeroUsuario(), DerechoBajaInventarios)) return;
  if (!TablaInventario->Active() || TablaInventario->IsEmpty()) return;
  const qint64 registro = TablaInventario->RecNo();
  TFormaAdvertencia pregunta(this);
  pregunta.Label1->setText(kSeguroEliminar);
  pregunta.SetTag(0);
  pregunta.ShowModal();
  if (pregunta.Tag() != 1) return;
  // The window re-reads its table when it is active again: a product that
  // another station deleted meanwhile is not replaced by the next one.
  if (TablaInventario->RecNo() != registro) {
    MuestraProducto();
    return;
  }
  RegistraBitacora(QStringLiteral("ELIMINADA"));
  RegistraBorrado(*TablaInventario);
  TablaInventario->Delete();
  MuestraProducto();
}

// --- Closing while editing.

void TFormaInventario::DescartaNuevo() {
  RegistraBorrado(*TablaInventario);
  TablaInventario->Cancel();
  TablaInventario->Delete();
}

void TFormaInventario::FormCloseQuery(bool& puedeCerrar) {
  if (recorriendo_) {
    puedeCerrar = false;
    return;
  }
  if (!Editando()) return;
  TFormaCerrar pregunta(this);
  pregunta.SetTag(3);  // its close box: the window stays open
  pregunta.ShowModal();
  const int respuesta = pregunta.Tag();
  if (respuesta != 1 && respuesta != 2) {
    puedeCerrar = false;
    return;
  }
  try {
    const bool guarda = respuesta == 1 && !EditCLPRO_I->text().isEmpty();
    std::optional<TurnoClave> turno;
    if (guarda) turno.emplace(*TablaInventario);
    if (guarda && !ClaveAceptable(turno->Tabla())) {
      puedeCerrar = false;
      return;
    }
    if (guarda && Nuevo()) {
      TablaInventario->Edit();
      TablaInventario->FieldByName(kCampoClave).SetAsString(EditCLPRO_I->text());
      TablaInventario->Post();
    } else if (guarda) {
      AplicaCopia({});
      DescartaCopia();
    } else if (Nuevo()) {
      DescartaNuevo();
    } else {
      DescartaCopia();
    }
  } catch (const std::exception& e) {
    // What was typed stays on screen, to be saved or discarded again.
    ui::MuestraExcepcion(e);
    puedeCerrar = false;
    return;
  }
  EstadoEdicion(false);
  ui::SetTag(BotonNuevo, 0);
  ui::SetTag(BotonCambios, 0);
  ClaveAnterior.clear();
  filaNueva_ = 0;
  HabilitaDatos(false);
  try {
    EditCLPRO_I->setText(TablaInventario->IsEmpty() ? QString() : TablaInventario->FieldByName(kCampoClave).AsString());
  } catch (const std::exception&) {
  }
}

void TFormaInventario::FormClose() { proc::CierraVentana(QStringLiteral("GUNDEL")); }
