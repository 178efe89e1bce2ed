// The rules of the product window's boxes: highlight and help lines, the
// checks of the key box, price from cost and below-cost warnings, stock in
// packages, the F2 lookups, the picture, the warehouse spin, and the events
// of the product table (warehouse stamp, edit and post errors).

#include "inventory/Inven.h"

#include "foundation/dialogos.h"
#include "foundation/dinero.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_numero.h"
#include "inventory/Tipinve.h"
#include "inventory/imagview.h"
#include "platform/Error.h"
#include "platform/db/Bloqueo.h"
#include "platform/db/Literales.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/print/Imagen.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/AyudaCampos.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/DialogoArchivo.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/FuenteDatos.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QSpinBox>

#include <chrono>

namespace {

qint64 Milisegundos() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

double LeeNumero(const QString& texto) {
  double valor = 0;
  if (!LeeReal(texto, valor))
    throw plat::Error(plat::Clase::Conversion, QStringLiteral("'%1' no es un valor numérico válido").arg(texto));
  return valor;
}

}  // namespace

QString TFormaInventario::LineaAyuda(int n) {
  QString linea;
  // A missing file is reported once per showing of the window, not at
  // every box and every move of the mouse.
  if (!fs::ExisteArchivo(fs::Une(CarpetaPrograma, QStringLiteral("inventa.des")))) {
    if (ayudaAvisada_) return {};
    ayudaAvisada_ = true;
  }
  LeeLineaArchivo(n, QStringLiteral("inventa.des"), linea);
  return linea;
}

void TFormaInventario::ConectaCampos() {
  ayuda_ = new ui::AyudaCampos(Uno, Dos, [this](int n) { return LineaAyuda(n); }, this);
  const std::pair<QWidget*, int> ayudas[] = {
      {EditCLPRO_I, 1},  {EditDSCPR_I, 3},  {EditUMEDI_I, 5},  {EditUEMPA_I, 7},  {EditLIPRO_I, 9},
      {EditCLPR_I, 11},  {EditFEULC_I, 13}, {EditFEULV_I, 15}, {EditPTICA_I, 17}, {EditTICOS_I, 19},
      {EditPIVA_I, 21},  {EditPIVA_I2, 23}, {EditSTMIN_I, 25}, {EditSTMAX_I, 27}, {EditEXIST_I, 29},
      {EditCOMRE_I, 31}, {EditPESUR_I, 33}, {EditULCOS_I, 35}, {EditCPROM_I, 37}, {EditPPUBL_I, 39},
      {EditPLIS_I, 41},  {EditPLIS_I2, 43}, {EditPLIS_I3, 45}, {EditPMINI_I, 47}, {EditPREC6_I, 47},
      {EditPREC7_I, 47}, {EditVANMO_I, 49}, {EditVANCA_I, 51}};
  for (const auto& [caja, linea] : ayudas) ayuda_->Agrega(caja, linea);

  // Every box is painted cyan while it has the focus, but for the profit,
  // discount, location and purchase discount boxes.
  ui::ResaltaAlEnfocar(EditCLPRO_I);
  const auto cajas = Caja->widget()->findChildren<ui::EditDatos*>(Qt::FindDirectChildrenOnly);
  for (ui::EditDatos* caja : cajas)
    if (caja != EditPORC1_I && caja != EditDESCU_I && caja != DBEdit2) ui::ResaltaAlEnfocar(caja);

  const auto alSalir = [this](QWidget* caja, auto regla) {
    ui::Conecta(&ui::Eventos::De(caja), &ui::Eventos::Exit, this, regla);
  };
  alSalir(EditCLPRO_I, [this] { ClaveExit(); });
  alSalir(EditULCOS_I, [this] { UltimoCostoExit(); });
  for (ui::EditDatos* precio : {EditPLIS_I, EditPLIS_I2, EditPLIS_I3, EditPMINI_I, EditPREC6_I, EditPREC7_I})
    alSalir(precio, [this, precio] { PrecioExit(precio); });
  alSalir(EditPORC1_I, [this] { PorcentajeExit(); });

  const auto conF2 = [this](QWidget* caja, auto accion) {
    ui::Conecta(&ui::Eventos::De(caja), &ui::Eventos::KeyDown, this,
                [accion](int& tecla, Qt::KeyboardModifiers) {
                  if (tecla != Qt::Key_F2) return;
                  tecla = 0;
                  accion();
                });
  };
  conF2(EditCLPR_I, [this] { ProveedorF2(EditCLPR_I); });
  conF2(EditCLPR_I2, [this] { ProveedorF2(EditCLPR_I2); });
  conF2(EditTICOS_I, [this] { CosteoF2(); });

  // A double click on the picture reaches its panel too.
  ui::Conecta(&ui::Eventos::De(PanelImagen), &ui::Eventos::DblClick, this, [this] { ImagenDblClick(); });
  ui::Conecta(NoAlmacen, &QSpinBox::valueChanged, this, [this] { NoAlmacenChange(); });
}

void TFormaInventario::ClaveExit() {
  if (!Editando()) return;
  const QString clave = EditCLPRO_I->text();
  if (clave.isEmpty()) {
    EditCLPRO_I->setFocus(Qt::OtherFocusReason);
    return;
  }
  if (!Nuevo() && clave == ClaveAnterior) return;
  if (CuentaClave(*TablaInventario2, clave) == 0) return;
  MuestraMensaje(kClaveProductoExiste);
  EditCLPRO_I->setFocus(Qt::OtherFocusReason);
}

void TFormaInventario::EscribeCampo(const QString& campo, const QString& valor) {
  db::Dataset& r = Registro();
  if (r.State() == db::Dataset::Estado::Navegando) r.Edit();
  r.FieldByName(campo).SetAsString(valor);
}

void TFormaInventario::UltimoCostoExit() {
  if (!Editando()) return;
  db::Dataset& r = Registro();
  const db::Campo& costo = r.FieldByName(QStringLiteral("ULCOS_I"));
  const double porcentaje = r.FieldByName(QStringLiteral("PORC1_I")).AsFloat();
  if (porcentaje > 0)
    EscribeCampo(QStringLiteral("PPUBL_I"), (Dinero::DeReal(costo.AsFloat()) * (porcentaje * 0.01 + 1)).Texto());
  if (r.FieldByName(QStringLiteral("CPROM_I")).IsNull()) EscribeCampo(QStringLiteral("CPROM_I"), costo.AsString());
}

void TFormaInventario::PrecioExit(ui::EditDatos* precio) {
  if (!Editando() || precio->text().isEmpty()) return;
  const QString costo = EditULCOS_I->text().isEmpty() ? QStringLiteral("0") : EditULCOS_I->text();
  if (LeeNumero(precio->text()) < LeeNumero(costo)) MuestraMensaje(kPrecioMenorCosto);
}

void TFormaInventario::PorcentajeExit() {
  if (!Editando()) return;
  try {
    db::Dataset& r = Registro();
    const double empaque = r.FieldByName(QStringLiteral("UEMPA_I")).AsFloat();
    if (empaque <= 0) return;
    EscribeCampo(QStringLiteral("EXIFA_I"),
                 TextoReal(r.FieldByName(QStringLiteral("EXIST_I")).AsFloat() / empaque));
    r.Post();
  } catch (const std::exception&) {
  }
}

void TFormaInventario::ProveedorF2(ui::EditDatos* caja) {
  if (!Editando() || !ConsultaProveedor()) return;
  EscribeCampo(caja->Campo(), ConsultaProveedor()(caja->text()));
}

void TFormaInventario::CosteoF2() {
  if (!Editando()) return;
  QString tipo = EditTICOS_I->text();
  EligeTipoCosto(tipo);
  EscribeCampo(QStringLiteral("TICOS_I"), tipo);
}

void TFormaInventario::ImagenDblClick() {
  if (!Editando()) {
    MuestraImagen(PanelImagen->Caption());
    return;
  }
  ui::DialogoArchivo abre(this, ui::DialogoArchivo::Tipo::Abrir, QStringLiteral("AbreArchivo"));
  abre.Filter = QStringLiteral("*.bmp (*.bmp);;*.jpg (*.jpg)");
  abre.DefaultExt = QStringLiteral("bmp");
  abre.FileName = QStringLiteral("*.bmp");
  if (!abre.Execute()) return;
  const QString archivo = abre.FileName;
  if (!fs::ExisteArchivo(archivo)) {
    PanelImagen->SetCaption(kSinImagenPanel);
    return;
  }
  Imagen->setPixmap(QPixmap::fromImage(print::LeeImagen(fs::Local(archivo))));
  Imagen->show();
  PanelImagen->SetCaption(archivo);
}

void TFormaInventario::NoAlmacenChange() {
  if (Editando() || !TablaInventario->Active()) return;
  try {
    const int almacen = NoAlmacen->value();
    if (VariosAlmacenes && almacen != 0) {
      TablaInventario->SetFilter(QStringLiteral("ALMAC_I=") + db::LiteralApostrofos(QString::number(almacen)));
      TablaInventario->SetFiltered(true);
    }
    if (TablaInventario->IsEmpty()) throw plat::Error(plat::Clase::NoExiste, kAlmacenNoExiste);
    MuestraProducto();
  } catch (const std::exception&) {
    MuestraProducto();
    MuestraMensaje(kAlmacenNoExiste);
  }
}

void TFormaInventario::EventosTabla() {
  const auto inicia = [this](db::Dataset&) { esperaDesde_ = Milisegundos(); };
  TablaInventario->BeforeEdit = inicia;
  // A new row, or one without a warehouse, takes the warehouse of the spin;
  // a product of another warehouse keeps its own when it is changed.
  TablaInventario->BeforePost = [this, inicia](db::Dataset& d) {
    inicia(d);
    db::Campo& almacen = d.FieldByName(QStringLiteral("ALMAC_I"));
    if (d.State() == db::Dataset::Estado::Insertando || almacen.AsString().isEmpty())
      almacen.SetAsString(QString::number(NoAlmacen->value()));
  };
  // A row another station holds is tried again for the table layer's
  // bounded wait; then, as for any other failure, the window's message.
  const auto error = [this](const plat::Error& e, const QString& mensaje) {
    if (e.clase() == plat::Clase::Bloqueado && Milisegundos() - esperaDesde_ < db::kEsperaMaximaMs - 100)
      return db::AccionError::Retry;
    throw plat::Error(e.clase(), mensaje);
  };
  TablaInventario->OnEditError = [error](db::Dataset&, const plat::Error& e) { return error(e, kNoSeEditan); };
  TablaInventario->OnPostError = [error](db::Dataset&, const plat::Error& e) { return error(e, kNoSeGuardan); };
}
