#include "customers/CONVEN.h"

#include "customers/Consultas.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"

TFormaConVendedores::TFormaConVendedores(QWidget* owner) : ui::Forma(owner) {
  setObjectName(QStringLiteral("FormaConVendedores"));
  setWindowTitle(QStringLiteral("Consulta Catalogo de Vendedores"));
  resize(520, 380);

  TablaVendedores = NuevaTablaConsulta(this, "TablaVendedores", "VENDEDOR.DBF", QStringLiteral("ICLAVEN"));
  DataSource1 = new ui::FuenteDatos(this);
  DataSource1->setObjectName(QStringLiteral("DataSource1"));
  DataSource1->SetDataSet(TablaVendedores);
  DBGrid1 =
      RejillaConsulta(this, "DBGrid1", DataSource1,
                      {{"CLVEN_V", "Clave"}, {"NOMBR_V", "Nombre"}, {"COMIS_V", "Comisión"}, {"CLASV_V", "Zona"}});
  DBGrid1->setGeometry(8, 8, 504, 320);
  DBNavigator1 = NavegadorConsulta(this, "DBNavigator1", DataSource1);
  DBNavigator1->setGeometry(8, 338, 160, 30);

  SetKeyPreview(true);
  ui::Conecta(&ui::Eventos::De(DBGrid1), &ui::Eventos::DblClick, this, [this] {
    SetTag(1);
    Close();
  });
}

void TFormaConVendedores::FormActivate() { DBGrid1->setFocus(Qt::OtherFocusReason); }

void TFormaConVendedores::FormKeyDown(int& tecla, Qt::KeyboardModifiers) {
  const bool enRejilla = EnComponente(DBGrid1);
  if ((tecla == Qt::Key_Return || tecla == Qt::Key_Enter) && enRejilla) {
    SetTag(1);
  } else if (tecla == Qt::Key_Escape) {
    // Elsewhere Tag stays as it was: 0, nothing chosen.
    if (enRejilla) SetTag(0);
  } else {
    return;
  }
  tecla = 0;
  Close();
}

QString BuscaVendedor(const QString& inicio) {
  TFormaConVendedores forma;
  ApuntaADatos(forma);
  forma.SetTag(0);
  EnClaveCercana(*forma.TablaVendedores, inicio);
  forma.ShowModal();
  const QString clave = forma.Tag() == 1 ? CampoActual(*forma.DBGrid1, "CLVEN_V") : QString();
  forma.TablaVendedores->Close();
  return clave;
}
