#include "purchasing/CxPDetalle.h"

#include "customers/CuentasCobrar.h"
#include "customers/MovimientosCuenta.h"
#include "customers/EdicionCatalogo.h"
#include "foundation/describe.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_tablas.h"
#include "foundation/rutinas_texto.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Colores.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "purchasing/ConsultaCuePagar.h"
#include "purchasing/CuentaPagar.h"
#include "purchasing/MovimientoCxP.h"
#include "reports/ImpresionRenglones.h"
#include "shell/Concep.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

enum Columna { ColMovimiento = 0, ColConcepto = 1, ColAbono = 5 };
enum Comando { Borra = 3 };

QLabel* Etiqueta(QWidget* padre, const char* nombre, const QString& texto = {}) {
  auto* l = new QLabel(texto, padre);
  if (nombre) l->setObjectName(QString::fromLatin1(nombre));
  return l;
}

db::Campo& Campo(db::Dataset& fila, const char* nombre) { return fila.FieldByName(QString::fromLatin1(nombre)); }

// A row keeps its amount in IMCUE_CP and in the column of its kind (the
// other column empty): when that column was the last of the three written,
// what was typed there is the amount; otherwise IMCUE_CP is.
void ColumnaDeImporte(db::Dataset& fila, const QString& ultimo) {
  const bool abono = Campo(fila, "OPERA_CP").AsString() == kOperacionAbono;
  const char* columna = abono ? "ABONO_CP" : "CARGO_CP";
  db::Campo& importe = Campo(fila, "IMCUE_CP");
  db::Campo& suya = Campo(fila, columna);
  db::Campo& otra = Campo(fila, abono ? "CARGO_CP" : "ABONO_CP");
  if (ultimo == QLatin1String(columna) && !suya.IsNull()) importe.SetValue(suya.Value());
  else if (!importe.IsNull()) suya.SetValue(importe.Value());
  if (!otra.IsNull()) otra.Clear();
}

}  // namespace

TFormaCxPDetalle::TFormaCxPDetalle(QWidget* owner) : ui::Forma(owner) {
  if (!ui::InstanciaDe<TFormaCxPDetalle>()) ui::InstanciaDe<TFormaCxPDetalle>() = this;
  setObjectName(QStringLiteral("FormaCxPDetalle"));
  setWindowTitle(QStringLiteral("Consulta de Movimientos por Documento (CxP)"));
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  CreaComponentes();
  ConectaEventos();
}

void TFormaCxPDetalle::CreaComponentes() {
  resize(720, 470);
  TablaCxP = new db::Tabla(this);
  TablaCxP->setObjectName(QStringLiteral("TablaCxP"));
  TablaCxP->SetNombreTabla(kTablaCuentasPagar);
  TablaCxP->SetIndexName(QStringLiteral("NUCOM"));
  EsperaBloqueos(*TablaCxP);
  // However a row is posted (the grid, the editor, the concept catalogue)
  // it stays in its account with its amount in the column of its kind.
  TablaCxP->BeforePost = [this](db::Dataset& fila) {
    if (Campo(fila, "NUCOM_CP").IsNull()) CompletaMovimientoCxP();
    ColumnaDeImporte(fila, ultimoImporte_);
  };
  // However a row is saved or deleted, the account's balance is stored in
  // its charge row and its receipt.
  TablaCxP->AfterPost = [this](db::Dataset&) { GuardaSaldoCxP(); };
  TablaCxP->AfterDelete = [this](db::Dataset&) { GuardaSaldoCxP(); };
  // Which of the amount fields was written last in the row being edited.
  ui::Conecta(TablaCxP, &db::Dataset::estadoCambiado, this, [this] { ultimoImporte_.clear(); });
  ui::Conecta(TablaCxP, &db::Dataset::campoCambiado, this, [this](int indice) {
    const QString nombre = TablaCxP->Fields(indice).Nombre().toUpper();
    if (nombre == QStringLiteral("IMCUE_CP") || nombre == QStringLiteral("CARGO_CP") ||
        nombre == QStringLiteral("ABONO_CP"))
      ultimoImporte_ = nombre;
  });
  TablaConceptos = new db::Tabla(this);
  TablaConceptos->setObjectName(QStringLiteral("TablaConceptos"));
  TablaConceptos->SetReadOnly(true);
  FuenteCxP = new ui::FuenteDatos(this);
  FuenteCxP->setObjectName(QStringLiteral("FuenteCxP"));

  Panel3 = new ui::Panel(this);
  Panel3->setObjectName(QStringLiteral("Panel3"));
  Label5 = Etiqueta(Panel3, "Label5", QStringLiteral("  Consulta de Movimientos por Documento (CxP)  "));
  QFont negrita = Label5->font();
  negrita.setBold(true);
  Label5->setFont(negrita);
  Panel4 = new ui::Panel(Panel3);
  Panel4->setObjectName(QStringLiteral("Panel4"));
  Panel4->SetCaption(QStringLiteral("X"));
  Panel4->setFixedSize(22, 20);
  auto* titulo = new QHBoxLayout(Panel3);
  titulo->setContentsMargins(4, 2, 4, 2);
  titulo->addWidget(Label5, 1);
  titulo->addWidget(Panel4);

  auto* cabecera = new ui::Panel(this);
  cabecera->setObjectName(QStringLiteral("Panel1"));
  const CabeceraCuenta partes = ArmaCabeceraCuenta(*cabecera, QStringLiteral("Compra"), QStringLiteral("Proveedor"), negrita);
  Factura = partes.factura;
  ClaveCliente = partes.clave;
  FechaAplicacion = partes.aplicacion;
  FechaVencimiento = partes.vencimiento;
  tiempo = partes.tiempo;
  Estado = partes.estado;
  SaldoE = partes.saldoE;
  Saldo = Etiqueta(this, "Saldo");
  Saldo->setFont(negrita);
  const auto boton = [cabecera](const char* nombre, const QString& texto) {
    auto* b = new QPushButton(texto, cabecera);
    b->setObjectName(QString::fromLatin1(nombre));
    return b;
  };
  BotonNuevo = boton("BotonNuevo", QStringLiteral("&Nuevo"));
  BotonElimina = boton("BotonElimina", QStringLiteral("&Eliminar"));
  BotonCambios = boton("BotonCambios", QStringLiteral("&Guardar"));
  BotonImprime = boton("BotonImprime", QStringLiteral("&Imprimir"));
  BotonSalir = boton("BotonSalir", QStringLiteral("Salir"));

  auto* botones = new QHBoxLayout;
  for (QPushButton* b : {BotonNuevo, BotonElimina, BotonCambios, BotonImprime}) botones->addWidget(b);
  botones->addStretch();
  botones->addWidget(BotonSalir);
  partes.rejilla->addLayout(botones, 4, 0, 1, 3);
  partes.rejilla->addWidget(Etiqueta(cabecera, nullptr, QStringLiteral("Elige el tipo de Movimiento")), 5, 0, 1, 3);

  Detalle = RejillaMovimientosCuenta(
      this, FuenteCxP, {QStringLiteral("CP"), QStringLiteral("FEAPL_CP"), QStringLiteral("Cargo"), QStringLiteral("Abono")});

  auto* pie = new QHBoxLayout;
  pie->addStretch();
  pie->addWidget(new QLabel(QStringLiteral("Saldo:"), this));
  pie->addWidget(Saldo);

  auto* capa = new QVBoxLayout(this);
  capa->setContentsMargins(0, 0, 0, 0);
  capa->setSpacing(0);
  capa->addWidget(Panel3);
  capa->addWidget(cabecera);
  capa->addWidget(Detalle, 1);
  capa->addLayout(pie);
}

void TFormaCxPDetalle::ConectaEventos() {
  ui::ArrastraVentana(Panel3);
  ui::ArrastraVentana(Label5);
  ui::Conecta(Panel4, &ui::Panel::Click, this, [this] { Close(); });
  ui::Conecta(BotonSalir, &QPushButton::clicked, this, [this] { Close(); });
  ui::Conecta(BotonNuevo, &QPushButton::clicked, this, [this] { BotonNuevoClick(); });
  ui::Conecta(BotonElimina, &QPushButton::clicked, this, [this] { BotonEliminaClick(); });
  ui::Conecta(BotonCambios, &QPushButton::clicked, this, [this] { BotonCambiosClick(); });
  ui::Conecta(BotonImprime, &QPushButton::clicked, this, [this] { BotonImprimeClick(); });
  int registro = 49;
  for (QPushButton* b : {BotonNuevo, BotonCambios, BotonElimina, BotonImprime}) {
    ui::Conecta(&ui::Eventos::De(b), &ui::Eventos::MouseDown, this, [this, b, registro](Qt::MouseButton tecla, QPoint) {
      const QPoint abajo = b->mapTo(this, QPoint(0, b->height()));
      MuestraDescripcion(tecla, x() + abajo.x(), y() + abajo.y(), registro);
    });
    ++registro;
  }
  ui::Eventos& numero = ui::Eventos::De(Factura);
  ui::Conecta(&numero, &ui::Eventos::KeyDown, this, [this](int& tecla, Qt::KeyboardModifiers) {
    if (tecla != Qt::Key_Return && tecla != Qt::Key_Enter) return;
    tecla = 0;
    Detalle->setFocus(Qt::OtherFocusReason);
  });
  const auto carga = [this] {
    if (!Factura->text().trimmed().isEmpty()) CargaCuentaPagar();
  };
  ui::Conecta(&numero, &ui::Eventos::Enter, this, carga);
  ui::Conecta(&numero, &ui::Eventos::Exit, this, carga);
  ui::Conecta(Factura, &QLineEdit::textEdited, this, carga);
  ui::Conecta(Detalle, &ui::RejillaDatos::ColEnter, this, [this] { DetalleColEnter(); });
  ui::Conecta(&ui::Eventos::De(Detalle), &ui::Eventos::KeyDown, this,
              [this](int& tecla, Qt::KeyboardModifiers) { DetalleKeyDown(tecla); });
}

// --- Tables and the account.

void TFormaCxPDetalle::AbreTablasCxPDetalle() {
  try {
    TablaCxP->Close();
    ApuntaTabla(*TablaCxP);
    AbreTabla(*TablaCxP);
  } catch (const plat::Error&) {
  }
  if (!TablaCxP->Active()) MuestraMensaje(kErrorAbrirTablas);
}

qint64 TFormaCxPDetalle::NumeroCompra(bool* valido) const {
  bool esNumero = false;
  const qint64 numero = Factura->text().trimmed().toLongLong(&esNumero);
  if (valido) *valido = esNumero;
  return numero;
}

bool TFormaCxPDetalle::HayCuenta() const {
  return TablaCxP->Active() && FuenteCxP->DataSet() == TablaCxP && !TablaCxP->IsEmpty();
}

void TFormaCxPDetalle::MuestraCxPDocumento(const QString& numero) {
  if (Tag() == 0) AbreTablasCxPDetalle();
  SetTag(1);
  Factura->setText(numero);
  CargaCuentaPagar();
}

void TFormaCxPDetalle::CargaCuentaPagar() {
  FuenteCxP->SetDataSet(nullptr);
  if (!TablaCxP->Active()) return;
  try {
    TablaCxP->Post();
  } catch (const plat::Error& e) {
    TablaCxP->Cancel();
    MuestraMensaje(e.mensaje());
  }
  TablaCxP->CancelRange();
  bool esNumero = false;
  const qint64 numero = NumeroCompra(&esNumero);
  if (!esNumero || !TablaCxP->FindKey({numero})) return;
  FuenteCxP->SetDataSet(TablaCxP);
  TablaCxP->SetRange({numero}, {numero});
  CalculaSaldoCxP();
  MuestraEncabezadoCxP();
  MuestraVencimientoCxP();
}

// Through a cursor of its own on the rows in the file, so the row the grid
// stands on (perhaps being typed) is left as it is.
void TFormaCxPDetalle::CalculaSaldoCxP() {
  bool esNumero = false;
  const qint64 numero = NumeroCompra(&esNumero);
  if (!esNumero || !TablaCxP->Active()) return;
  try {
    db::Tabla cuenta;
    cuenta.SetCarpeta(TablaCxP->Carpeta());
    cuenta.SetNombreTabla(TablaCxP->NombreTabla());
    cuenta.SetIndexName(QStringLiteral("NUCOM"));
    cuenta.SetReadOnly(true);
    cuenta.Open();
    cuenta.SetRange({numero}, {numero});
    SaldoCuenta = SumaMovimientosCuenta(cuenta, QStringLiteral("CP")).saldo;
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
    return;
  }
  MuestraSaldoCuenta(*Saldo, *SaldoE, *Estado, SaldoCuenta);
}

void TFormaCxPDetalle::MuestraEncabezadoCxP() {
  TablaCxP->First();
  ClaveCliente->setText(TablaCxP->FieldByName(QStringLiteral("CLPRO_CP")).AsString());
  FechaVencimiento->setText(TablaCxP->FieldByName(QStringLiteral("FEVEN_CP")).AsString());
  FechaAplicacion->setText(TablaCxP->FieldByName(QStringLiteral("FEAPL_CP")).AsString());
  TablaCxP->Last();
}

void TFormaCxPDetalle::MuestraVencimientoCxP() { MuestraVencimientoCuenta(*FechaVencimiento, *tiempo); }

void TFormaCxPDetalle::CompletaMovimientoCxP() {
  db::Dataset& fila = *TablaCxP;
  bool esNumero = false;
  const qint64 numero = NumeroCompra(&esNumero);
  if (esNumero) Campo(fila, "NUCOM_CP").SetAsInteger(numero);
  // A row that has them keeps its own supplier and dates.
  const auto copia = [&fila](const char* campo, const QLabel* etiqueta) {
    db::Campo& c = Campo(fila, campo);
    if (c.IsNull() && !etiqueta->text().isEmpty() && c.AceptaTexto(etiqueta->text())) c.SetAsString(etiqueta->text());
  };
  copia("CLPRO_CP", ClaveCliente);
  copia("FEAPL_CP", FechaAplicacion);
  copia("FEVEN_CP", FechaVencimiento);
}

void TFormaCxPDetalle::GuardaSaldoCxP() {
  bool esNumero = false;
  const qint64 numero = NumeroCompra(&esNumero);
  if (!esNumero || !TablaCxP->Active()) return;
  try {
    AsientaCuentaPagar(TablaCxP->Carpeta(), numero);
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
}

// --- The grid.

void TFormaCxPDetalle::DetalleColEnter() {
  if (!HayCuenta() && TablaCxP->State() != db::Dataset::Estado::Insertando) return;
  db::Dataset& fila = *TablaCxP;
  const bool tecleada = fila.State() != db::Dataset::Estado::Navegando;
  try {
    switch (Detalle->SelectedIndex()) {
      case ColMovimiento:
        // A row being typed belongs to the receipt shown.
        if (tecleada) CompletaMovimientoCxP();
        CalculaSaldoCxP();
        break;
      case ColConcepto: {
        // A row being typed, or one saved without its concept's kind, is
        // checked and filled; moving across complete rows changes none.
        if (!tecleada && !Campo(fila, "OPERA_CP").IsNull()) break;
        QString nombre, tipo;
        if (!BuscaConceptoCuenta(*TablaConceptos, Campo(fila, "TIMOV_CP").AsString(), nombre, tipo)) {
          MuestraMensaje(kMovimientoNoEncontrado);
          Detalle->SetSelectedIndex(ColMovimiento);
          break;
        }
        if (!tecleada) fila.Edit();
        Campo(fila, "CONCE_CP").SetAsString(nombre);
        Campo(fila, "OPERA_CP").SetAsString(tipo);
        // The amount proposed is the account's balance; an amount already
        // there is kept.
        if (Campo(fila, "IMCUE_CP").IsNull()) Campo(fila, "IMCUE_CP").SetAsString(SaldoCuenta.Texto());
        break;
      }
      case ColAbono:
        if (Campo(fila, "TIMOV_CP").AsString() == QStringLiteral("2")) {
          QPalette paleta = Detalle->palette();
          paleta.setColor(QPalette::Text, ui::ColorQt(ui::clRed, paleta));
          Detalle->setPalette(paleta);
          QPalette titulos = Detalle->horizontalHeader()->palette();
          titulos.setColor(QPalette::Button, ui::ColorQt(ui::clBlue, titulos));
          Detalle->horizontalHeader()->setPalette(titulos);
          Detalle->verticalHeader()->setPalette(titulos);
        }
        break;
      default:
        break;
    }
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
}

void TFormaCxPDetalle::DetalleKeyDown(int& tecla) {
  if (tecla != Qt::Key_F2 || Detalle->SelectedIndex() != ColMovimiento || FuenteCxP->DataSet() != TablaCxP) return;
  tecla = 0;
  if (!FormaConceptos()) new TFormaConceptos(this);
  TFormaConceptos& ventana = *FormaConceptos();
  // The row to fill is the receipt's: tied to it before the catalogue
  // writes into it.
  if (TablaCxP->State() == db::Dataset::Estado::Navegando) TablaCxP->Edit();
  CompletaMovimientoCxP();
  ventana.TablaCxP = TablaCxP;
  ventana.Panel1->hide();
  ui::SetTag(ventana.RejillaConceptos, 2);
  ventana.ShowModal();
  // The catalogue is the main menu's too: it is left as a catalogue.
  ventana.Panel1->show();
  ui::SetTag(ventana.RejillaConceptos, 0);
  ventana.TablaCxP = nullptr;
  Detalle->viewport()->update();
}

// --- The movement editor.

void TFormaCxPDetalle::BotonNuevoClick() {
  if (!HayCuenta()) return;
  TFormaMovimientoCxP editor(this);
  try {
    TablaCxP->Append();
    // Its number and supplier are fixed; its dates are the editor's.
    Campo(*TablaCxP, "NUCOM_CP").SetAsInteger(NumeroCompra());
    Campo(*TablaCxP, "CLPRO_CP").SetAsString(ClaveCliente->text());
  } catch (const plat::Error& e) {
    TablaCxP->Cancel();
    MuestraMensaje(e.mensaje());
    return;
  }
  editor.Muestra(TablaCxP, TFormaMovimientoCxP::Nuevo);
  CargaCuentaPagar();
}

void TFormaCxPDetalle::BotonEliminaClick() {
  if (!HayCuenta()) return;
  TFormaMovimientoCxP editor(this);
  SetTag(Borra);
  editor.Muestra(TablaCxP, TFormaMovimientoCxP::Elimina);
  SetTag(0);
  CargaCuentaPagar();
}

void TFormaCxPDetalle::BotonCambiosClick() {
  if (!HayCuenta()) return;
  TFormaMovimientoCxP editor(this);
  editor.Muestra(TablaCxP, TFormaMovimientoCxP::Cambia);
  CalculaSaldoCxP();
}

// --- Printing.

void TFormaCxPDetalle::BotonImprimeClick() {
  if (!ImpresoraLista()) {
    MuestraMensaje(QStringLiteral("La Impresora No Se Encuentra Lista..."));
    return;
  }
  try {
    IniciaImpresionRenglones(QString(), QString(), 2);
    ImprimeEstadoCuentaPagar();
    TerminaImpresionRenglones(QString(), QString(), QString(), u'n');
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
}

void TFormaCxPDetalle::ImprimeCuentaPagarDocumento(const QString& numero) {
  if (Tag() == 0) AbreTablasCxPDetalle();
  SetTag(1);
  Factura->setText(numero);
  CargaCuentaPagar();
  ImprimeEstadoCuentaPagar();
}

void TFormaCxPDetalle::ImprimeEstadoCuentaPagar() {
  const auto texto = [](int columna, const QString& valor) { ImprimeColumnaRenglon(columna, 1, valor, u'c', QString()); };
  texto(1, QStringLiteral("Compra No. ") + Factura->text().trimmed() + QStringLiteral("                     Estado ") +
               tiempo->text());
  texto(1, QStringLiteral("Proveedor ") + ClaveCliente->text());
  texto(1, QStringLiteral("Fecha de Aplicacion ") + FechaAplicacion->text());
  texto(1, QStringLiteral("Fecha de Vencimiento ") + FechaVencimiento->text());
  const bool hayFilas = HayCuenta();
  if (hayFilas) TablaCxP->First();
  AvanzaRenglonImpresion();
  const int columnas = Detalle->Columnas();
  for (int i = 0; i < columnas; ++i) {
    const ui::ColumnaDatos c = Detalle->Columna(i);
    ImprimeColumnaRenglon(16 * i, 0, c.titulo.isEmpty() ? c.campo : c.titulo, u'c', QString());
  }
  AvanzaRenglonImpresion();
  if (hayFilas) {
    for (TablaCxP->First(); !TablaCxP->Eof(); TablaCxP->Next()) {
      for (int i = 0; i < columnas; ++i) {
        db::Campo& campo = TablaCxP->FieldByName(Detalle->Columna(i).campo);
        const QString valor = campo.AsString();
        const QString mostrado = Detalle->TextoCelda ? Detalle->TextoCelda(campo, campo.Value(), valor) : valor;
        // A whole number prints as its digits; the kinds of the line
        // printer print no integer.
        const TipoCampo tipo = TipoCampoDe(campo.Tipo());
        const QString letra = AjustaLetraTipo(tipo, LetraTipoCampo(tipo));
        ImprimeColumnaRenglon(16 * i, 0, valor, letra.isEmpty() ? u'c' : letra.at(0), mostrado);
      }
      AvanzaRenglonImpresion();
    }
  }
  AvanzaRenglonImpresion();
  texto(58, QStringLiteral("Saldo ") + TextoSaldoCuenta(SaldoCuenta));
  for (int c = 1; c <= 80; ++c) ImprimeColumnaRenglon(c, 0, QStringLiteral("-"), u'c', QString());
  AvanzaRenglonImpresion();
}

// --- Life.

void TFormaCxPDetalle::FormActivate() {
  if (Tag() == 0) AbreTablasCxPDetalle();
  SetTag(1);
  Factura->setFocus(Qt::OtherFocusReason);
  CargaCuentaPagar();
}

void TFormaCxPDetalle::FormCloseQuery(bool& /*puedeCerrar*/) {
  if (!TablaCxP->Active()) return;
  try {
    TablaCxP->Post();
  } catch (const plat::Error& e) {
    TablaCxP->Cancel();
    MuestraMensaje(e.mensaje());
  }
}
