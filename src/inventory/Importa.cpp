#include "inventory/Importa.h"

#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "inventory/Inven.h"
#include "inventory/RegistroProducto.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/DialogoArchivo.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/RejillaTexto.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>

namespace {

constexpr int kLineaDeArchivo = Qt::UserRole;

// The file line a list entry was read from.
class EntradaLista : public QListWidgetItem {
 public:
  EntradaLista(const QString& texto, int linea) : QListWidgetItem(texto) { setData(kLineaDeArchivo, linea); }
};

}  // namespace

TFormaImportaArchivo::TFormaImportaArchivo(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaImportaArchivo>() = this;
  setObjectName(QStringLiteral("FormaImportaArchivo"));
  setWindowTitle(QStringLiteral("Importa Archivo"));
  resize(780, 520);
  CarpetaLocal(carpetaPrograma_);

  const auto etiqueta = [this](const QString& texto, QWidget* socio) {
    auto* l = new QLabel(texto, this);
    l->setBuddy(socio);
    return l;
  };
  Ruta = new QLineEdit(this);
  Ruta->setObjectName(QStringLiteral("Ruta"));
  Ruta->setToolTip(QStringLiteral("Doble clic para elegir el archivo"));
  EditDocumento = new QLineEdit(QStringLiteral("1"), this);
  EditDocumento->setObjectName(QStringLiteral("EditDocumento"));
  EditDocumento->setFixedWidth(90);
  Separador = new QLineEdit(QStringLiteral(","), this);
  Separador->setObjectName(QStringLiteral("Separador"));
  Separador->hide();
  ListaMovimientos = new QListWidget(this);
  ListaMovimientos->setObjectName(QStringLiteral("ListaMovimientos"));
  ListaMovimientos->setSortingEnabled(true);
  MemoConfigurar = new QPlainTextEdit(this);
  MemoConfigurar->setObjectName(QStringLiteral("MemoConfigurar"));
  MemoConfigurar->setReadOnly(true);
  MemoConfigurar->setLineWrapMode(QPlainTextEdit::NoWrap);
  Campos = new ui::RejillaTexto(this, kColumnasImporta, 2, 0, 1);
  Campos->setObjectName(QStringLiteral("Campos"));
  LabelRuta = new QLabel(this);
  LabelRuta->setObjectName(QStringLiteral("LabelRuta"));
  LabelRuta->hide();
  Usuario = new QLabel(QStringLiteral("0"), this);
  Usuario->setObjectName(QStringLiteral("Usuario"));
  Usuario->hide();
  const auto boton = [this](const char* nombre, const QString& texto) {
    auto* b = new QPushButton(texto, this);
    b->setObjectName(QString::fromLatin1(nombre));
    b->setAutoDefault(false);
    return b;
  };
  BotonAgregar = boton("BotonAgregar", QStringLiteral("Agregar"));
  BotonImportar = boton("BotonImportar", QStringLiteral("Importar"));
  BotonCancelar = boton("BotonCancelar", QStringLiteral("Cancelar"));
  BotonInventario = boton("BotonInventario", QStringLiteral("Inventario"));
  AbreArchivo = new ui::DialogoArchivo(this, ui::DialogoArchivo::Tipo::Abrir, QStringLiteral("AbreArchivo"));

  auto* capa = new QVBoxLayout(this);
  auto* arriba = new QGridLayout;
  arriba->addWidget(etiqueta(QStringLiteral("Ruta de Archivo"), Ruta), 0, 0);
  arriba->addWidget(Ruta, 0, 1, 1, 3);
  arriba->addWidget(etiqueta(QStringLiteral("Documento"), EditDocumento), 1, 0);
  arriba->addWidget(EditDocumento, 1, 1, Qt::AlignLeft);
  arriba->setColumnStretch(2, 1);
  capa->addLayout(arriba);
  auto* medio = new QHBoxLayout;
  medio->addWidget(ListaMovimientos, 2);
  medio->addWidget(MemoConfigurar, 1);
  capa->addLayout(medio, 1);
  capa->addWidget(Campos, 2);
  auto* botones = new QHBoxLayout;
  for (QPushButton* b : {BotonAgregar, BotonImportar, BotonCancelar, BotonInventario}) botones->addWidget(b);
  botones->addStretch();
  capa->addLayout(botones);

  ui::Conecta(BotonAgregar, &QPushButton::clicked, this, [this] { BotonAgregarClick(); });
  ui::Conecta(BotonImportar, &QPushButton::clicked, this, [this] { BotonImportarClick(); });
  ui::Conecta(BotonCancelar, &QPushButton::clicked, this, [this] { BotonCancelarClick(); });
  ui::Conecta(BotonInventario, &QPushButton::clicked, this, [this] { BotonInventarioClick(); });
  ui::Conecta(&ui::Eventos::De(Ruta), &ui::Eventos::DblClick, this, [this] { RutaDblClick(); });

  // The file used last, and its lines.
  const QString recordado = fs::Une(carpetaPrograma_, kConfiImporta);
  if (fs::ExisteArchivo(recordado)) {
    const QStringList lineas = fs::LeeLineasCp1252OUtf8(recordado);
    if (!lineas.isEmpty()) {
      Ruta->setText(lineas.first());
      CargaLista();
    }
  }
}

TFormaImportaArchivo::~TFormaImportaArchivo() = default;

void TFormaImportaArchivo::CargaLista() {
  const QString archivo = Ruta->text().trimmed();
  if (archivo.isEmpty() || !fs::ExisteArchivo(archivo)) return;
  const QStringList lineas = fs::LeeLineasCp1252OUtf8(archivo);
  ListaMovimientos->clear();
  for (int i = 0; i < lineas.size(); ++i) ListaMovimientos->addItem(new EntradaLista(lineas[i], i + 1));
}

void TFormaImportaArchivo::RutaDblClick() {
  AbreArchivo->FileName = Ruta->text();
  if (AbreArchivo->Execute()) Ruta->setText(AbreArchivo->FileName);
}

int TFormaImportaArchivo::LineaDeArchivo(int fila) const { return lineas_.value(fila); }

void TFormaImportaArchivo::BotonAgregarClick() {
  db::Tabla productos;
  productos.SetCarpeta(LabelRuta->text());
  productos.SetNombreTabla(kTablaProductos);
  try {
    productos.Open();
    productos.SetIndexName(kTagClaveProducto);
  } catch (const std::exception& e) {
    // The grid keeps what it held.
    ui::MuestraExcepcion(e);
    return;
  }

  QStringList mapa = MemoConfigurar->toPlainText().split(u'\n');
  for (QString& linea : mapa) linea = linea.trimmed();
  while (!mapa.isEmpty() && mapa.last().isEmpty()) mapa.removeLast();
  // A map longer than the grid widens it.
  Campos->SetColCount(std::max<int>(kColumnasImporta, mapa.size()));
  Campos->clearContents();
  for (int k = 0; k < Campos->ColCount(); ++k) Campos->SetCells(k, 0, mapa.value(k));
  Campos->SetRowCount(ListaMovimientos->count() + 1);
  lineas_ = QVector<int>(Campos->RowCount(), 0);

  const QString documento = EditDocumento->text();
  int fila = 1;
  for (int i = 0; i < ListaMovimientos->count(); ++i) {
    const QListWidgetItem* entrada = ListaMovimientos->item(i);
    const QStringList items = entrada->text().split(u',');
    if (items.value(2) != documento) continue;
    for (int k = 0; k < mapa.size(); ++k)
      if (!mapa[k].isEmpty()) Campos->SetCells(k, fila, items.value(k));
    const QString clave = Campos->Cells(0, fila);
    if (!clave.isEmpty() && !productos.FindKey({clave})) Campos->SetCells(5, fila, kNoExisteProducto);
    lineas_[fila] = entrada->data(kLineaDeArchivo).toInt();
    ++fila;
  }
}

void TFormaImportaArchivo::BotonImportarClick() {
  SetTag(kImportaAceptado);
  Close();
}

void TFormaImportaArchivo::BotonCancelarClick() {
  SetTag(0);
  Close();
}

void TFormaImportaArchivo::BotonInventarioClick() {
  TFormaInventario* inventario = FormaInventario();
  if (!inventario) return;
  inventario->Usuario->setText(Usuario->text());
  inventario->Show();
  // Above this dialog, which is modal, so that it takes the user's input
  // while the dialog stays open.
  if (QWindow* ventana = inventario->windowHandle()) ventana->setTransientParent(windowHandle());
}

void TFormaImportaArchivo::FormClose() {
  // The product window, still open, stays usable above the window that
  // showed this dialog.
  if (TFormaInventario* inventario = FormaInventario()) {
    QWindow* ventana = inventario->windowHandle();
    if (ventana && windowHandle() && ventana->transientParent() == windowHandle())
      ventana->setTransientParent(windowHandle()->transientParent());
  }
  try {
    fs::ReescribeLineas(fs::Une(carpetaPrograma_, kConfiImporta), {Ruta->text()});
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
  }
}

// --- Putting imported values into a capture table.

QString LineaImportaMala(const QString& archivo, int linea, const QString& motivo) {
  return QStringLiteral("Error en la línea %1 del archivo %2: %3. No se importó nada.").arg(linea).arg(archivo, motivo);
}

QString ValorImportaMalo(const QString& valor, const QString& campo) {
  return QStringLiteral("\"%1\" no es un valor válido para %2").arg(valor, campo);
}

std::optional<std::vector<db::Campo*>> CamposDeMapa(db::Tabla& captura, const QStringList& nombres,
                                                     const QString& mapa, const QString& queCaptura) {
  std::vector<db::Campo*> campos;
  for (const QString& nombre : nombres) {
    if (nombre.isEmpty()) {
      campos.push_back(nullptr);
      continue;
    }
    db::Campo* campo = captura.FindField(nombre);
    if (!campo) {
      MuestraMensaje(QStringLiteral("El archivo %1 nombra el campo %2, que %3 no tiene. No se importó nada.")
                         .arg(mapa, nombre, queCaptura));
      return std::nullopt;
    }
    campos.push_back(campo);
  }
  return campos;
}

std::optional<FilasImporta> LeeFilasImporta(const TFormaImportaArchivo& dialogo, db::Tabla& captura,
                                            const QString& mapa, const QString& queCaptura) {
  QStringList nombres = dialogo.MemoConfigurar->toPlainText().split(u'\n');
  for (QString& n : nombres) n = n.trimmed();
  auto campos = CamposDeMapa(captura, nombres, mapa, queCaptura);
  if (!campos) return std::nullopt;
  FilasImporta leidas{std::move(*campos), {}};
  const ui::RejillaTexto& rejilla = *dialogo.Campos;
  for (int fila = 1; fila < rejilla.RowCount(); ++fila) {
    if (rejilla.Cells(0, fila).isEmpty()) continue;
    for (std::size_t i = 0; i < leidas.campos.size(); ++i) {
      const QString valor = rejilla.Cells(static_cast<int>(i), fila);
      if (leidas.campos[i] && !leidas.campos[i]->AceptaTexto(valor)) {
        MuestraMensaje(LineaImportaMala(dialogo.Ruta->text(), dialogo.LineaDeArchivo(fila),
                                        ValorImportaMalo(valor, nombres[static_cast<int>(i)])));
        return std::nullopt;
      }
    }
    leidas.filas.push_back(fila);
  }
  return leidas;
}

void EscribeFilaImporta(const TFormaImportaArchivo& dialogo, const FilasImporta& filas, int fila) {
  for (std::size_t i = 0; i < filas.campos.size(); ++i)
    if (filas.campos[i]) filas.campos[i]->SetAsString(dialogo.Campos->Cells(static_cast<int>(i), fila));
}
