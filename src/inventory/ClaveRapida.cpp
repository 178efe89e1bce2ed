#include "inventory/ClaveRapida.h"

#include "inventory/RegistroProducto.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/PuertaModal.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The box of each field, in the order of the window.
const char* const kCampos[] = {"CLPRO_I", "DSCPR_I", "CODIG_I", "PPUBL_I", "UEMPA_I"};

}  // namespace

TFormaClaveRapida::TFormaClaveRapida(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaClaveRapida>() = this;
  setObjectName(QStringLiteral("FormaClaveRapida"));
  setWindowTitle(QStringLiteral("Captura Rápida de Producto"));
  setFixedSize(420, 230);
  SetKeyPreview(true);

  const auto fila = [this](const char* etiqueta, const char* caja, const QString& texto, int y, int ancho) {
    auto* l = new QLabel(texto, this);
    l->setObjectName(QString::fromLatin1(etiqueta));
    l->setGeometry(16, y + 3, 90, 17);
    auto* e = new QLineEdit(this);
    e->setObjectName(QString::fromLatin1(caja));
    e->setGeometry(110, y, ancho, 23);
    l->setBuddy(e);
    return std::pair{l, e};
  };
  std::tie(Label1, Edit1) = fila("Label1", "Edit1", QStringLiteral("Clave"), 16, 160);
  std::tie(Label2, Edit2) = fila("Label2", "Edit2", QStringLiteral("Descripción"), 46, 290);
  std::tie(Label3, Edit3) = fila("Label3", "Edit3", QStringLiteral("Código 2"), 76, 160);
  std::tie(Label4, Edit4) = fila("Label4", "Edit4", QStringLiteral("Precio"), 106, 100);
  std::tie(Label5, Edit5) = fila("Label5", "Edit5", QStringLiteral("Empaque"), 136, 100);

  const auto boton = [this](const char* nombre, const QString& texto, int x) {
    auto* b = new QPushButton(texto, this);
    b->setObjectName(QString::fromLatin1(nombre));
    b->setGeometry(x, 182, 90, 30);
    return b;
  };
  BotonGuardar = boton("BotonGuardar", QStringLiteral("&Guardar"), 68);
  BotonCancelar = boton("BotonCancelar", QStringLiteral("&Cancelar"), 166);
  BotonNuevo = boton("BotonNuevo", QStringLiteral("&Nuevo"), 264);
  BotonNuevo->hide();

  TablaInventario = new db::Tabla(this);
  TablaInventario->setObjectName(QStringLiteral("TablaInventario"));

  ui::Conecta(&ui::Eventos::De(Edit1), &ui::Eventos::Exit, this, [this] { Edit1Exit(); });
  ui::Conecta(BotonGuardar, &QPushButton::clicked, this, [this] { BotonGuardarClick(); });
  ui::Conecta(BotonNuevo, &QPushButton::clicked, this, [this] { BotonNuevoClick(); });
  ui::Conecta(BotonCancelar, &QPushButton::clicked, this, [this] { BotonCancelarClick(); });
}

TFormaClaveRapida::~TFormaClaveRapida() = default;

bool TFormaClaveRapida::Repite() const { return !BotonNuevo->isHidden(); }

void TFormaClaveRapida::FormShow() { Edit1->setFocus(Qt::OtherFocusReason); }

void TFormaClaveRapida::FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) {
  const bool control = shift.testFlag(Qt::ControlModifier);
  if (control && tecla == Qt::Key_G) {
    if (BotonGuardar->isEnabled()) BotonGuardarClick();
    tecla = 0;
  } else if (control && tecla == Qt::Key_N) {
    if (Repite() && BotonNuevo->isEnabled()) BotonNuevoClick();
    tecla = 0;
  } else if (tecla == Qt::Key_Escape) {
    BotonCancelarClick();
    tecla = 0;
  } else if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter || tecla == Qt::Key_Down) {
    focusNextPrevChild(true);
    tecla = 0;
  } else if (tecla == Qt::Key_Up) {
    focusNextPrevChild(false);
  }
}

void TFormaClaveRapida::Edit1Exit() {
  if (!TablaInventario->Active() || Edit1->text().isEmpty()) return;
  if (!TablaInventario->FindKey({Edit1->text()})) return;
  ui::MensajeSimple(kProductoYaRegistrado);
  Edit1->setFocus(Qt::OtherFocusReason);
}

bool TFormaClaveRapida::GuardaProducto() {
  const QString clave = Edit1->text();
  if (clave.isEmpty() || TablaInventario->FindKey({clave})) return false;
  const QLineEdit* cajas[] = {Edit1, Edit2, Edit3, Edit4, Edit5};
  TablaInventario->Append();
  try {
    for (int i = 0; i < 5; ++i) TablaInventario->FieldByName(QString::fromLatin1(kCampos[i])).SetAsString(cajas[i]->text());
    TablaInventario->Post();
  } catch (...) {
    TablaInventario->Cancel();
    throw;
  }
  TablaInventario->Refresh();
  return true;
}

void TFormaClaveRapida::BotonGuardarClick() {
  BotonGuardar->setEnabled(false);
  if (!Repite()) {
    SetTag(1);
    Close();
    return;
  }
  try {
    GuardaProducto();
  } catch (...) {
    // Nothing was written: the boxes keep what was typed, to be saved again.
    BotonGuardar->setEnabled(true);
    throw;
  }
  BotonNuevo->setEnabled(true);
}

void TFormaClaveRapida::BotonNuevoClick() {
  for (QLineEdit* caja : {Edit1, Edit2, Edit3, Edit4, Edit5}) caja->clear();
  BotonGuardar->setEnabled(true);
  if (Repite()) BotonNuevo->setEnabled(false);
  Edit1->setFocus(Qt::OtherFocusReason);
}

void TFormaClaveRapida::BotonCancelarClick() {
  SetTag(0);
  Close();
}

void AltaRapidaProducto(const QString& carpeta, const QString& claveInicial) {
  TFormaClaveRapida* forma = FormaClaveRapida();
  if (!forma)
    throw plat::Error(plat::Clase::Estado, QStringLiteral("No se creó la ventana de captura rápida de producto"));
  db::Tabla& tabla = *forma->TablaInventario;
  tabla.Close();
  tabla.SetCarpeta(carpeta);
  tabla.SetNombreTabla(kTablaProductos);
  tabla.Open();
  struct Cierra {
    db::Tabla& t;
    ~Cierra() { t.Close(); }
  } cierra{tabla};
  tabla.SetIndexName(kTagClaveProducto);

  // Texts longer than their field cannot be typed.
  QLineEdit* const textos[] = {forma->Edit1, forma->Edit2, forma->Edit3};
  for (int i = 0; i < 3; ++i) textos[i]->setMaxLength(tabla.FieldByName(QString::fromLatin1(kCampos[i])).Ancho());

  forma->Edit1->setText(claveInicial);
  for (QLineEdit* caja : {forma->Edit2, forma->Edit3, forma->Edit4, forma->Edit5}) caja->clear();
  for (;;) {
    forma->SetTag(0);
    forma->BotonGuardar->setEnabled(true);
    forma->ShowModal();
    if (forma->Tag() != 1) return;
    try {
      forma->GuardaProducto();
      return;
    } catch (const plat::Error& e) {
      ui::MuestraExcepcion(e);
    }
  }
}
