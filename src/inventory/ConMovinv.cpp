#include "inventory/ConMovinv.h"

#include "foundation/rutinas.h"
#include "foundation/rutinas_tablas.h"
#include "inventory/movinv.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/RejillaDatos.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QFrame>
#include <QLabel>

namespace {

constexpr int kAncho = 440;

QString Campo(const db::Tabla& tabla, const char* nombre) {
  return tabla.IsEmpty() ? QString() : tabla.FieldByName(QString::fromLatin1(nombre)).AsString();
}

}  // namespace

TFormaConMovimiento::TFormaConMovimiento(QWidget* owner) : ui::Forma(owner) {
  setObjectName(QStringLiteral("FormaConMovimiento"));
  setWindowTitle(QStringLiteral("Consulta de Tipos de Movimientos"));
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  setFixedSize(kAncho, 330);
  ui::CentraEnPantalla(*this);

  TablaConMovimiento = new db::Tabla(this);
  TablaConMovimiento->setObjectName(QStringLiteral("TablaConMovimiento"));
  TablaConMovimiento->SetNombreTabla(QStringLiteral("comovinv.dbf"));
  TablaConMovimiento->SetIndexName(QStringLiteral("ITIPMOV"));
  TablaConMovimiento->SetReadOnly(true);
  DataSource1 = new ui::FuenteDatos(this);
  DataSource1->setObjectName(QStringLiteral("DataSource1"));
  DataSource1->SetDataSet(TablaConMovimiento);

  const ui::BarraTitulo titulo =
      ui::CreaBarraTitulo(this, QRect(4, 4, kAncho - 8, 22), QStringLiteral("  Consulta de Tipos de Movimientos  "),
                          QStringLiteral("Panel1"), QStringLiteral("Label1"), QStringLiteral("Panel2"));
  Panel1 = titulo.barra;
  Label1 = titulo.titulo;
  Panel2 = titulo.cierre;
  // The caption interrupts three stripes across the strip.
  for (int i = 0; i < 3; ++i) {
    auto* raya = new QFrame(Panel1);
    raya->setObjectName(QStringLiteral("Raya%1").arg(i + 1));
    raya->setFrameStyle(QFrame::Box | QFrame::Sunken);
    raya->setGeometry(8, 5 + 5 * i, Panel1->width() - 34, 3);
    raya->lower();
  }
  Label1->adjustSize();
  Label1->setAutoFillBackground(true);
  Label1->move((Panel1->width() - Label1->width()) / 2, (Panel1->height() - Label1->height()) / 2);

  DBNavigator1 = new ui::Navegador(this);
  DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
  DBNavigator1->SetFuente(DataSource1);
  DBNavigator1->setGeometry(4, 30, 160, 26);
  DBGrid1 = new ui::RejillaDatos(this);
  DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
  DBGrid1->SetFuente(DataSource1);
  DBGrid1->SetSoloLectura(true);
  DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
  DBGrid1->AgregaColumna(QStringLiteral("NUCON_CM"), QStringLiteral("Número"), 70);
  DBGrid1->AgregaColumna(QStringLiteral("DECON_CM"), QStringLiteral("Descripción"), 330);
  DBGrid1->setGeometry(4, 60, kAncho - 8, 266);

  ui::Conecta(Panel2, &ui::Panel::Click, this, [this] { Close(); });
  ui::Conecta(&ui::Eventos::De(DBGrid1), &ui::Eventos::DblClick, this, [this] { Elige(); });
  ui::Conecta(&ui::Eventos::De(DBGrid1), &ui::Eventos::KeyDown, this, [this](int& tecla, Qt::KeyboardModifiers) {
    if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
      tecla = 0;
      Elige();
    } else if (tecla == Qt::Key_Escape) {
      tecla = 0;
    }
  });
}

void TFormaConMovimiento::FormActivate() {
  if (Tag() == 0) {
    TablaConMovimiento->Close();
    ApuntaTabla(*TablaConMovimiento);
    AbreTabla(*TablaConMovimiento);
    SetTag(1);
  }
  DBGrid1->SetSelectedIndex(0);
  DBGrid1->setFocus(Qt::OtherFocusReason);
}

void TFormaConMovimiento::FormKeyDown(int& tecla, Qt::KeyboardModifiers) {
  if (tecla != Qt::Key_Escape) return;
  tecla = 0;
  Close();
}

void TFormaConMovimiento::Elige() {
  if (TFormaMovimientosInventario* movimientos = FormaMovimientosInventario())
    movimientos->FijaConcepto(Campo(*TablaConMovimiento, "NUCON_CM"), Campo(*TablaConMovimiento, "DECON_CM"));
  Close();
}
