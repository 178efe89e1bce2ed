#include "salesdocs/FormaDevolucion.h"

#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "inventory/ConPro.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "pos/CaptuRap.h"
#include "pos/CaptuRap_comun.h"
#include "shell/LineasConfiguracion.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

const QString kPlantillaDevolucion = QStringLiteral("DetaCR.db");
const QString kDevoluciones = QStringLiteral("DetaDevol.db");

}  // namespace

TFormaDevolucion::TFormaDevolucion(QWidget* owner) : ui::Forma(owner) {
  setObjectName(QStringLiteral("FormaDevolucion"));
  setWindowTitle(QStringLiteral("FormaDevolucion"));
  SetKeyPreview(true);
  TablaDevol = new db::Tabla(this);
  TablaDevol->setObjectName(QStringLiteral("TablaDevol"));
  FuenteDevol = new ui::FuenteDatos(this);
  FuenteDevol->SetDataSet(TablaDevol);
  auto* capa = new QVBoxLayout(this);
  DBGrid1 = new ui::RejillaDatos(this);
  DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
  DBGrid1->SetFuente(FuenteDevol);
  capa->addWidget(DBGrid1);
  Avanzada = new QLabel(QStringLiteral("0"), this);
  Avanzada->setObjectName(QStringLiteral("Avanzada"));
  Avanzada->hide();
  capa->addWidget(Avanzada);
  resize(640, 360);
}

TFormaDevolucion::~TFormaDevolucion() {
  if (TablaDevol->Active()) {
    try {
      PostPendiente(*TablaDevol);
    } catch (const plat::Error&) {
    }
    TablaDevol->Close();
  }
}

void TFormaDevolucion::FormKeyDown(int& tecla, Qt::KeyboardModifiers) {
  if (DBGrid1->hasFocus() || DBGrid1->isAncestorOf(focusWidget())) DBGrid1KeyDown(tecla);
}

void TFormaDevolucion::DBGrid1KeyDown(int& tecla) {
  if (tecla != Qt::Key_F2 || !TablaDevol->Active()) return;
  tecla = 0;
  EditaFila(*TablaDevol);
  db::Campo& clave = TablaDevol->FieldByName(QStringLiteral("CLAVE"));
  QString elegida;
  BuscaProductoPorOrden(clave.AsString(), 1, 1, Avanzada->text() == QStringLiteral("1"), elegida);
  clave.SetAsString(elegida);
}

void Agregar1Click(TFormaCapturaRapida& p) {
  TFormaDevolucion forma(&p);
  const QString programa = CarpetaPrograma(QString());
  try {
    db::Tabla::CopiaArchivos(programa, kPlantillaDevolucion, kDevoluciones);
    forma.TablaDevol->SetCarpeta(programa);
    forma.TablaDevol->SetNombreTabla(kDevoluciones);
    forma.TablaDevol->Open();
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
    return;
  }
  forma.Avanzada->setText(LineaConf(ConfBusquedaAvanzada).startsWith(u'S') ? QStringLiteral("1")
                                                                         : QStringLiteral("0"));
  forma.ShowModal();
}
