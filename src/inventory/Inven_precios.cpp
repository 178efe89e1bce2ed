// The product window's discount panel (the discounted cost, the supplier's
// discounts, the cost formula and the price it suggests), the openers of
// the price policy, price grid, extra data and extra folders windows, and
// the extra price columns of the product table.

#include "inventory/Inven.h"

#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_tablas.h"
#include "foundation/rutinas_usuarios.h"
#include "inventory/AdicionalProducto.h"
#include "inventory/ConPro.h"
#include "inventory/FormulaCosto.h"
#include "inventory/Politica.h"
#include "inventory/PreciosPref.h"
#include "inventory/RegistroProducto.h"
#include "inventory/RutaKardex.h"
#include "platform/db/Consulta.h"
#include "platform/db/Literales.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Real6.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/PuertaModal.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

bool EnEdicion(const db::Dataset& d) {
  return d.State() == db::Dataset::Estado::Editando || d.State() == db::Dataset::Estado::Insertando;
}

constexpr int kPrimeraListaExtra = 101;
constexpr int kUltimaListaExtra = 200;

}  // namespace

void TFormaInventario::MuestraCostoConDescuentos() {
  if (PanelDescuentos->isHidden()) return;
  try {
    const db::Tabla& t = *TablaInventario;
    const auto porcentaje = [&t](const char* campo) { return t.FieldByName(QString::fromLatin1(campo)).AsFloat() * 0.01; };
    double costo = fs::AjustaReal6(t.FieldByName(QStringLiteral("ULCOS_I")).AsFloat() * (1 - porcentaje("DESC1_I")));
    costo = fs::AjustaReal6(costo * (1 - porcentaje("DESC2_I")));
    costo = fs::AjustaReal6(costo * (1 - porcentaje("DESC3_I")));
    costo = fs::AjustaReal6(costo * (1 + porcentaje("PIVA1_I")));
    LabelCostoF->setText(QStringLiteral("Costo Con Descuentos ") + FormatoMascara(QStringLiteral("###,##0.00"), costo));
  } catch (const std::exception&) {
  }
}

void TFormaInventario::CopiaDescuentosProveedor() {
  const auto descuentos = LeeDescuentosProveedor(CarpetaDatos, EditCLPR_I->text());
  if (!descuentos) return;
  Registro().Edit();
  EscribeDescuentos(Registro(), *descuentos);
}

// "Aplicar Fórmula": the supplier's discounts, the dataset posted, the
// formula run into LabelPrecio. The first error ends it silently.
void TFormaInventario::BitBtn2Click() {
  try {
    CopiaDescuentosProveedor();
    // A row that is not being edited cannot be posted: the command ends.
    if (!EnEdicion(Registro())) return;
    Registro().Post();
    QString resultado;
    LabelPrecio->setText(PrecioFormulaCosto(MemoFormula->toPlainText(), resultado, Registro()));
    MemoResultado->setPlainText(resultado);
  } catch (const std::exception&) {
  }
}

void TFormaInventario::BitBtn3Click() { GuardaPrecioFormula(Registro(), LabelPrecio->text()); }

void TFormaInventario::BitBtn1Click() {
  TFormaAdicionalProducto adicional(this);
  adicional.LabelDire->setText(CarpetaPrograma);
  adicional.DataSource1->SetDataSet(TablaInventario);
  if (Cambio()) {
    TablaInventario->Edit();
    TablaInventario->Post();
    adicional.DataSource1->SetDataSet(TablaAuxiliar);
  }
  adicional.ShowModal();
}

void TFormaInventario::PolticadePrecios1Click() {
  if (!TieneDerecho(NumeroUsuario(), DerechoCambioInventarios)) return;
  TFormaPolitica politica(this);
  politica.DataSource1->SetDataSet(Cambio() ? TablaAuxiliar : TablaInventario);
  QString digitos;
  LeeLineaConfig(ConfDigitosCosto, digitos);
  bool entero = false;
  const int paso = digitos.toInt(&entero);
  if (entero) politica.SetTag(paso);
  politica.ShowModal();
  if (!Cambio() && EnEdicion(*TablaInventario)) TablaInventario->Post();
}

void TFormaInventario::PreciosPreferencial1Click() {
  TFormaPrecios precios(this);
  // The grid edits the product table where the window keeps it.
  precios.LabelRuta->setText(CarpetaDeTabla(kTablaProductos));
  precios.ShowModal();
}

void TFormaInventario::RutasKardex1Click() {
  MuestraRutasKardex();
}

// Adds the price columns PLIS101_I to PLIS200_I the product table lacks,
// one ALTER TABLE each, which needs the table to itself: the product
// lookup lets it go first. While another station (or window) has it open
// nothing can be added, and the user is told once; a column refused for
// any other reason is left for a later run. Each column added is told.
void TFormaInventario::AgregaPrecios1Click() {
  if (Editando()) return;
  const QString clave = TablaInventario->Active() && !TablaInventario->IsEmpty()
                            ? TablaInventario->FieldByName(QStringLiteral("CLPRO_I")).AsString()
                            : QString();
  CierraConsultaProductos();
  for (int n = kPrimeraListaExtra; n <= kUltimaListaExtra; ++n) {
    TablaInventario->Open();
    TablaInventario2->Close();
    try {
      const QString campo = CampoPrecioLista(n);
      if (TablaInventario->FindField(campo)) continue;
      const QString tabla = fs::Une(TablaInventario->Carpeta(), kTablaProductos);
      TablaInventario->Close();
      Query1->Close();
      Query1->SetSQL(QStringLiteral("ALTER TABLE ") + db::LiteralComillas(tabla) + QStringLiteral(" ADD ") + campo +
                     QStringLiteral(" NUMERIC(8,2)"));
      Query1->Open();
      ui::MensajeSimple(campo);
    } catch (const plat::Error& e) {
      if (e.clase() == plat::Clase::EnUso) {
        MuestraMensaje(QStringLiteral("La tabla %1 está abierta en otra estación o ventana; ciérrela para agregar los "
                                      "precios")
                           .arg(kTablaProductos));
        break;
      }
    } catch (const std::exception&) {
    }
  }
  TablaInventario->Close();
  TablaInventario->Open();
  AbreTabla(*TablaInventario2);
  if (!clave.isEmpty()) TablaInventario->FindKey({clave});
  MuestraProducto();
}
