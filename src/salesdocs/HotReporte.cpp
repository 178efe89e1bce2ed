#include "salesdocs/HotReporte.h"

#include "foundation/dialogos.h"
#include "foundation/dinero.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_numero.h"
#include "inventory/CamposRegistro.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/PuertaModal.h"
#include "pos/CaptuRap.h"
#include "pos/CaptuRap_comun.h"
#include "pos/Corte.h"
#include "pos/DocumentosVenta.h"
#include "salesdocs/FacturaRemision.h"
#include "shell/LugarTablas.h"

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

namespace {

const QString kPlantilla = QStringLiteral("\\Multiple.dat");
// The window's Tag when "Generar Documento" closed it.
constexpr int kGenerar = 1000;
// The header amounts of the merged invoice: the sums of its documents'.
const char* const kImportes[] = {"SUBTO_F", "IMIM2_F", "IMTOD_F", "COSTO_F", "EXENT_F", "IVAX1_F",
                                 "IVAX2_F", "IEPS1_F", "IEPS2_F", "IEPS3_F", "ABONO_F", "SALDO_F"};

// A stored number's text (the table layer's "." form) as money; blank is 0.
Dinero ImporteDeTexto(const QString& texto) {
  bool ok = false;
  const double valor = texto.trimmed().toDouble(&ok);
  return ok ? Dinero::DeReal(valor) : Dinero();
}

// Every named field the table has takes its value's text.
void CopiaRenglon(const RenglonMultiple& r, db::Tabla& destino) {
  for (int i = 0; i < r.nombres.size(); ++i)
    if (db::Campo* campo = destino.FindField(r.nombres[i])) campo->SetAsString(r.valores.value(i));
}

QString Linea(const QStringList& piezas) {
  QString linea;
  for (const QString& p : piezas) linea += p + u'|';
  return linea;
}

// A row of a dataset: every field's name in field order and its text.
RenglonMultiple RenglonDe(const db::Dataset& datos) {
  RenglonMultiple r;
  for (int i = 0; i < datos.FieldCount(); ++i) {
    r.nombres << datos.Fields(i).Nombre();
    r.valores << datos.Fields(i).AsString();
  }
  return r;
}

// The template's items: each ended by a comma; text after the last one is
// not an item.
QStringList ItemsPlantilla(const QString& plantilla) {
  QStringList items = plantilla.split(u',');
  items.removeLast();
  return items;
}

void FilaVista(const QStringList& items, const RenglonMultiple& r, QStringList& vista) {
  QString fila;
  for (const QString& item : items) {
    const QString nombre = item.trimmed();
    const int p = ColumnaMultiple(nombre, r.nombres);
    if (p > 0) fila += CeldaMultiple(r.valores.value(p - 1), nombre, static_cast<int>(item.size()));
  }
  if (!fila.isEmpty()) vista << fila;
}

}  // namespace

QStringList ColeccionMultiple::Numeros() const {
  QStringList numeros;
  for (const DocumentoMultiple& d : documentos)
    if (!d.eliminado) numeros << d.numero;
  return numeros;
}

QStringList TextoColeccionMultiple(const ColeccionMultiple& coleccion) {
  QStringList lineas;
  if (coleccion.Vacia()) return lineas;
  lineas << Linea(coleccion.encabezado.nombres) << Linea(coleccion.encabezado.valores);
  for (const DocumentoMultiple& d : coleccion.documentos) {
    lineas << u'*' + d.numero;
    for (const RenglonMultiple& r : d.partidas) {
      if (d.eliminado) lineas << QStringLiteral("*") << QStringLiteral("*");
      else lineas << Linea(r.nombres) << Linea(r.valores);
    }
  }
  return lineas;
}

int ColumnaMultiple(const QString& item, const QStringList& nombres) {
  QString buscado = item;
  buscado.remove(u'$');
  for (int i = 0; i < nombres.size(); ++i)
    if (nombres[i].toUpper() == buscado) return i + 1;
  return 0;
}

QString CeldaMultiple(const QString& valor, const QString& item, int ancho) {
  QString celda;
  if (ancho < valor.size()) {
    celda = valor.left(ancho);
  } else if (item.startsWith(u'$')) {
    double numero = 0;
    // A value that is no number is shown as it stands.
    const QString formado = valor.isEmpty()                   ? FormatoMascara(QStringLiteral("###,##0.00"), 0.0)
                            : LeeReal(valor, numero)           ? FormatoMascara(QStringLiteral("###,##0.00"), numero)
                                                               : valor;
    celda = ancho >= formado.size() ? QString(ancho - formado.size() + 1, u' ') + formado : formado;
  } else {
    celda = valor + QString(ancho - valor.size() + 1, u' ');
  }
  return celda + QStringLiteral("  ");
}

QStringList MuestraPartidasMultiple(const QString& plantilla, const ColeccionMultiple& coleccion) {
  QStringList vista;
  if (coleccion.Vacia()) return vista;
  const QStringList items = ItemsPlantilla(plantilla);
  FilaVista(items, coleccion.encabezado, vista);
  for (const DocumentoMultiple& d : coleccion.documentos) {
    if (d.eliminado) continue;
    for (const RenglonMultiple& r : d.partidas) FilaVista(items, r, vista);
  }
  return vista;
}

TFormaHotReporte::TFormaHotReporte(QWidget* owner) : ui::Forma(owner) {
  if (!ui::InstanciaDe<TFormaHotReporte>()) ui::InstanciaDe<TFormaHotReporte>() = this;
  setObjectName(QStringLiteral("FormaHotReporte"));
  setWindowTitle(QStringLiteral("Multiple"));
  resize(820, 480);

  auto* capas = new QVBoxLayout(this);
  MainMenu1 = new QMenuBar(this);
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  Prueba1 = MainMenu1->addAction(QStringLiteral("1"));
  Prueba1->setObjectName(QStringLiteral("Prueba1"));
  capas->setMenuBar(MainMenu1);

  auto* centro = new QHBoxLayout;
  capas->addLayout(centro, 1);
  auto* vistas = new QGridLayout;
  centro->addLayout(vistas, 1);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo2 = new QPlainTextEdit(this);
  Memo2->setObjectName(QStringLiteral("Memo2"));
  for (QPlainTextEdit* m : {Memo1, Memo2}) {
    m->setReadOnly(true);
    m->setLineWrapMode(QPlainTextEdit::NoWrap);
    m->setFont(QFont(QStringLiteral("Courier New"), 9));
  }
  // Memo1 lies under Memo2, which fills the panel.
  vistas->addWidget(Memo1, 0, 0);
  vistas->addWidget(Memo2, 0, 0);
  Memo2->raise();
  ListaDocumentos = new QListWidget(this);
  ListaDocumentos->setObjectName(QStringLiteral("ListaDocumentos"));
  ListaDocumentos->setMaximumWidth(120);
  centro->addWidget(ListaDocumentos);

  auto* abajo = new QHBoxLayout;
  capas->addLayout(abajo);
  LabelDocu = new QLabel(QStringLiteral("Partidas  0"), this);
  LabelDocu->setObjectName(QStringLiteral("LabelDocu"));
  LabelFacturaFinal = new QLabel(this);
  LabelFacturaFinal->setObjectName(QStringLiteral("LabelFacturaFinal"));
  abajo->addWidget(LabelDocu);
  abajo->addWidget(LabelFacturaFinal);
  abajo->addStretch(1);
  const auto boton = [this, abajo](const char* nombre, const char* texto) {
    auto* b = new QPushButton(QString::fromUtf8(texto), this);
    b->setObjectName(QString::fromLatin1(nombre));
    abajo->addWidget(b);
    return b;
  };
  BitBtn1 = boton("BitBtn1", "Generar Documento");
  BitBtn2 = boton("BitBtn2", "Eliminar");
  BitBtn3 = boton("BitBtn3", "Cancelar Captura");
  BitBtn4 = boton("BitBtn4", "Agregar Otro Documento");

  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  ui::Conecta(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
  ui::Conecta(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
  ui::Conecta(BitBtn4, &QPushButton::clicked, this, [this] { BitBtn4Click(); });
}

TFormaHotReporte::~TFormaHotReporte() = default;

void TFormaHotReporte::FormShow() {
  // The close box counts as "Agregar Otro Documento".
  SetTag(0);
  MuestraColeccion();
}

void TFormaHotReporte::MuestraColeccion() {
  Memo1->setPlainText(TextoColeccionMultiple(Coleccion).join(u'\n'));
  const QString plantilla = fs::LeeLineas(CarpetaPrograma(kPlantilla)).value(0);
  const QStringList vista = MuestraPartidasMultiple(plantilla, Coleccion);
  Memo2->setPlainText(vista.join(u'\n'));
  LabelDocu->setText(QStringLiteral("Partidas  ") + QString::number(vista.size()));
}

void TFormaHotReporte::LimpiaColeccion() {
  Coleccion = ColeccionMultiple();
  Memo1->clear();
  Memo2->clear();
  ListaDocumentos->clear();
}

void TFormaHotReporte::AgregaDocumentoMultiple(TFormaCapturaRapida& p) {
  db::Tabla& e = *p.TablaFacturae;
  const QString numero = e.FieldByName(QStringLiteral("CLDOC_F")).AsString();
  const QStringList numeros = Coleccion.Numeros();
  bool rechazado = false;
  if (numeros.contains(numero)) {
    MuestraMensaje(QStringLiteral("El Documento ya Existe..."));
    rechazado = true;
  }
  if (e.FieldByName(QStringLiteral("DESFI_F")).AsFloat() > 0 && !numeros.isEmpty()) {
    MuestraMensaje(QStringLiteral("No se puede agregar más de un documento con descuento..."));
    rechazado = true;
  }
  if (rechazado) return;

  DocumentoMultiple d;
  d.numero = numero;
  d.encabezado = RenglonDe(e);
  // The stored lines of the document, read through a handle of their own so
  // the screen's line table stays as it is.
  db::Tabla lineas;
  ApuntaTabla(lineas, p.TablaFacturaD->NombreTabla());
  lineas.SetReadOnly(true);
  lineas.Open();
  lineas.SetIndexName(QStringLiteral("CLDOC_FD"));
  lineas.SetRange({numero}, {numero});
  const QString control = e.FieldByName(QStringLiteral("CONTROL")).AsString();
  db::Campo& controlLinea = lineas.FieldByName(QStringLiteral("CONTROL"));
  for (lineas.First(); !lineas.Eof(); lineas.Next())
    if (controlLinea.AsString() == control) d.partidas << RenglonDe(lineas);

  if (Coleccion.Vacia()) Coleccion.encabezado = d.encabezado;
  Coleccion.documentos << d;
  ListaDocumentos->addItem(numero);
}

void TFormaHotReporte::BitBtn1Click() {
  if (!ui::PreguntaSimple(QStringLiteral("Generar el Documento..."))) return;
  SetTag(kGenerar);
  Close();
}

qint64 TFormaHotReporte::GeneraFacturaMultiple(TFormaCapturaRapida& p) {
  db::Tabla& pantalla = *p.TablaFacturae;
  db::Tabla encabezados;
  ApuntaTabla(encabezados, QStringLiteral("FacturaE.dbf"));
  encabezados.SetIndexName(QStringLiteral("INUMENC"));
  encabezados.Open();
  db::Tabla partidas;
  ApuntaTabla(partidas, QStringLiteral("FacturaD.dbf"));
  partidas.SetIndexName(QStringLiteral("CLDOC_FD"));
  partidas.Open();

  // The documents still listed, in the order added.
  QStringList listados;
  for (int i = 0; i < ListaDocumentos->count(); ++i) listados << ListaDocumentos->item(i)->text();
  QVector<const DocumentoMultiple*> documentos;
  for (const DocumentoMultiple& d : Coleccion.documentos)
    if (!d.eliminado && listados.contains(d.numero)) documentos << &d;

  QVector<Dinero> sumas(std::size(kImportes));
  for (const DocumentoMultiple* d : documentos)
    for (size_t i = 0; i < std::size(kImportes); ++i) {
      const qsizetype k = d->encabezado.nombres.indexOf(QString::fromLatin1(kImportes[i]));
      if (k >= 0) sumas[static_cast<qsizetype>(i)] += ImporteDeTexto(d->encabezado.valores.value(k));
    }

  const auto dePantalla = [&pantalla](const char* n) -> db::Campo& { return pantalla.FieldByName(QString::fromLatin1(n)); };
  const QString documento = dePantalla("CLDOC_F").AsString();
  const QVariant pais = dePantalla("PAISX_F").Value();
  const QVariant estado = dePantalla("ESTAD_F").Value();
  const QString pago = dePantalla("PAGOX_F").AsString();
  const int control = NumeroControl();

  const qint64 numero = EscribeFactura(
      encabezados, partidas,
      [&](qint64) {
        const auto campo = [&encabezados](const char* n) -> db::Campo& {
          return encabezados.FieldByName(QString::fromLatin1(n));
        };
        CopiaRenglon(Coleccion.encabezado, encabezados);
        for (size_t i = 0; i < std::size(kImportes); ++i)
          if (db::Campo* c = encabezados.FindField(QString::fromLatin1(kImportes[i])))
            registro::Escribe(*c, std::optional<Dinero>(sumas[static_cast<qsizetype>(i)]));
        campo("HORAF_F").SetAsFloat(NumeroFechaHora(fs::Ahora()));
        for (const char* fecha : {"FEDOC_F", "FEVEN_F", "FEENT_F"}) campo(fecha).SetAsDate(fs::Hoy());
        campo("CONTROL").SetAsInteger(control);
        campo("TREGI_F").Clear();
        campo("STATU_F").Clear();
        campo("CLPED_F").SetAsString(documento);
        campo("PAISX_F").SetValue(pais);
        campo("ESTAD_F").SetValue(estado);
        if (!pago.isEmpty()) campo("METOD_F").SetAsString(pago);
      },
      [&](const QString& n) {
        for (const DocumentoMultiple* d : documentos)
          for (const RenglonMultiple& r : d->partidas) {
            partidas.Append();
            try {
              CopiaRenglon(r, partidas);
              partidas.FieldByName(QStringLiteral("CLDOC_FD")).SetAsString(n);
              partidas.FieldByName(QStringLiteral("CONTROL")).SetAsInteger(control);
              partidas.Post();
            } catch (...) {
              if (Editando(partidas)) partidas.Cancel();
              throw;
            }
          }
      },
      // The screen's document notes the invoice last, once it stands whole;
      // a document still in capture is not posted by it.
      [&](const QString& n) {
        if (pantalla.State() == db::Dataset::Estado::Insertando) return;
        try {
          EditaFila(pantalla);
          db::Campo& destino = pantalla.FieldByName(QStringLiteral("DESTI_F"));
          destino.SetAsString(destino.AsString() + QStringLiteral("F ") + n + u',');
          pantalla.Post();
        } catch (...) {
          if (Editando(pantalla)) pantalla.Cancel();
          throw;
        }
      });
  const QString texto = QString::number(numero);
  MuestraMensaje(QStringLiteral("Se Genero el Documento ") + texto);
  LabelFacturaFinal->setText(texto);
  p.LabelFactura->setText(QStringLiteral("Factura ") + texto);
  return numero;
}

void MarcaDocumentosFacturados(TFormaCapturaRapida& p, const QStringList& documentos, const QString& factura) {
  db::Tabla encabezados;
  ApuntaTabla(encabezados, p.TablaFacturae->NombreTabla());
  encabezados.SetIndexName(QStringLiteral("INUMENC"));
  encabezados.Open();
  for (const QString& d : documentos) {
    bool ok = false;
    const qint64 numero = d.toLongLong(&ok);
    if (!ok || !encabezados.FindKey({numero})) continue;
    encabezados.Edit();
    try {
      encabezados.FieldByName(QStringLiteral("CLPED_F")).SetAsString(factura);
      encabezados.Post();
    } catch (...) {
      if (Editando(encabezados)) encabezados.Cancel();
      throw;
    }
  }
}

void TFormaHotReporte::BitBtn2Click() {
  QListWidgetItem* item = ListaDocumentos->currentItem();
  if (!item || !item->isSelected()) return;
  const QString numero = item->text();
  if (!ui::PreguntaSimple(QStringLiteral("Eliminar las partidas del Documento ") + numero)) return;
  for (DocumentoMultiple& d : Coleccion.documentos)
    if (d.numero == numero && !d.eliminado) d.eliminado = true;
  ui::MensajeSimple(QStringLiteral("Se borraron las partidas del documento ") + numero);
  delete ListaDocumentos->takeItem(ListaDocumentos->row(item));
  MuestraColeccion();
}

void TFormaHotReporte::BitBtn3Click() {
  if (!ui::PreguntaSimple(QStringLiteral("Esta Seguro de Cancelar la Captura..."))) return;
  LimpiaColeccion();
  SetTag(0);
  Close();
}

void TFormaHotReporte::BitBtn4Click() {
  SetTag(0);
  Close();
}

void AgregarDocumento1Click(TFormaCapturaRapida& p) {
  db::Tabla& e = *p.TablaFacturae;
  if (!e.Active() || !HayFila(e)) return;
  const QString factura = e.FieldByName(QStringLiteral("CLPED_F")).AsString();
  if (!factura.isEmpty()) {
    MuestraMensaje(QStringLiteral("Esta Remisión ya se Facturo en el documento ") + factura);
    return;
  }
  std::unique_ptr<TFormaHotReporte> propia;
  TFormaHotReporte* forma = FormaHotReporte();
  if (!forma) {
    propia = std::make_unique<TFormaHotReporte>();
    forma = propia.get();
  }
  forma->AgregaDocumentoMultiple(p);
  const QString plantilla = CarpetaPrograma(kPlantilla);
  if (!fs::ExisteArchivo(plantilla))
    throw plat::Error(plat::Clase::NoExiste, QStringLiteral("No se encontró el archivo ") + plantilla);
  forma->Prueba1->setVisible(false);
  forma->ShowModal();
  if (forma->Tag() != kGenerar) return;
  forma->SetTag(0);
  try {
    forma->GeneraFacturaMultiple(p);
  } catch (const std::exception& error) {
    // Nothing of the invoice is left: the collection stays, to try again.
    ui::MuestraExcepcion(error);
    return;
  }
  // The invoice stands: the collection goes whatever the marks meet, so it
  // is never invoiced twice.
  const QStringList documentos = forma->Coleccion.Numeros();
  forma->LimpiaColeccion();
  MarcaDocumentosFacturados(p, documentos, forma->LabelFacturaFinal->text());
  e.Refresh();
}
