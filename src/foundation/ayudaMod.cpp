#include "foundation/ayudaMod.h"

#include "foundation/ImprimeDocumento.h"
#include "foundation/buscar.h"
#include "foundation/rutinas.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/PuertaModal.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QStringDecoder>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

#include <memory>

namespace {

bool EsHtml(const QString& ruta) {
  const QString ext = QFileInfo(ruta).suffix().toLower();
  return ext == u"html" || ext == u"htm";
}

// The file that holds the topic: its HTML form when the program ships one,
// else the named file; empty when neither exists.
QString ArchivoDelTema(const QString& ruta) {
  QStringList candidatos;
  const int punto = ruta.lastIndexOf(u'.');
  if (punto > ruta.lastIndexOf(u'\\') && punto > ruta.lastIndexOf(u'/') && !EsHtml(ruta)) {
    const QString base = ruta.left(punto);
    candidatos << base + QStringLiteral(".html") << base + QStringLiteral(".htm");
  }
  candidatos << ruta;
  for (const QString& c : candidatos)
    if (fs::ExisteArchivo(c)) return c;
  return QString();
}

void CargaTema(QTextEdit& texto, const QString& ruta) {
  const QString archivo = ArchivoDelTema(ruta);
  if (archivo.isEmpty()) return;
  const QByteArray bytes = fs::LeeBytes(archivo);
  if (EsHtml(archivo) || Qt::mightBeRichText(QString::fromLatin1(bytes.left(512)))) {
    QStringDecoder decodificador = QStringDecoder::decoderForHtml(bytes);
    texto.setHtml(decodificador.isValid() ? decodificador.decode(bytes) : QString::fromUtf8(bytes));
  } else {
    texto.setPlainText(fs::DeCp1252OUtf8(bytes));
  }
}

}  // namespace

TFormaAyudaLinea::TFormaAyudaLinea(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaAyudaLinea>() = this;
  setObjectName(QStringLiteral("FormaAyudaLinea"));
  setWindowTitle(QStringLiteral("Ayuda"));
  resize(640, 480);

  MainMenu1 = new QMenuBar(this);
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  Archivo1 = MainMenu1->addMenu(QStringLiteral("Archivo"));
  Archivo1->setObjectName(QStringLiteral("Archivo1"));
  // "Abrir" is on the menu and does nothing.
  Abrir1 = Archivo1->addAction(QStringLiteral("Abrir"));
  Abrir1->setObjectName(QStringLiteral("Abrir1"));
  ImprimirTema1 = Archivo1->addAction(QStringLiteral("Imprimir Tema"));
  ImprimirTema1->setObjectName(QStringLiteral("ImprimirTema1"));
  Salir1 = Archivo1->addAction(QStringLiteral("Salir"));
  Salir1->setObjectName(QStringLiteral("Salir1"));
  Busquedas1 = MainMenu1->addMenu(QStringLiteral("Busquedas"));
  Busquedas1->setObjectName(QStringLiteral("Busquedas1"));
  Buscar1 = Busquedas1->addAction(QStringLiteral("Buscar"));
  Buscar1->setObjectName(QStringLiteral("Buscar1"));

  Texto = new QTextEdit(this);
  Texto->setObjectName(QStringLiteral("Texto"));
  Texto->setReadOnly(true);
  // Read-only text still takes the focus and shows the selected match.
  Texto->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse |
                                 Qt::LinksAccessibleByMouse);

  auto* capas = new QVBoxLayout(this);
  capas->setContentsMargins(0, 0, 0, 0);
  capas->setMenuBar(MainMenu1);
  capas->addWidget(Texto);

  SetKeyPreview(true);
  ui::Conecta(ImprimirTema1, &QAction::triggered, this, [this] { ImprimirTema1Click(); });
  ui::Conecta(Salir1, &QAction::triggered, this, [this] { Close(); });
  ui::Conecta(Buscar1, &QAction::triggered, this, [this] { Buscar1Click(); });
}

void TFormaAyudaLinea::FormKeyDown(int& tecla, Qt::KeyboardModifiers) {
  if (tecla == Qt::Key_Escape) {
    tecla = 0;
    Close();
  } else if (tecla == Qt::Key_F3) {
    tecla = 0;
    TextoF3();
  }
}

void TFormaAyudaLinea::Buscar1Click() {
  {
    TFormaBusqueda busqueda;
    busqueda.ShowModal();
    TextoBuscado = busqueda.CajaBuscar->text();
  }
  Posicion = BuscaTextoAyuda(0, TextoBuscado);
}

void TFormaAyudaLinea::TextoF3() {
  ui::MensajeSimple(QStringLiteral("posicion ") + QString::number(Posicion) + QStringLiteral(" ") + TextoBuscado);
  Posicion = BuscaTextoAyuda(Posicion + TextoBuscado.size(), TextoBuscado);
}

void TFormaAyudaLinea::ImprimirTema1Click() { ImprimeDocumento(*Texto->document(), QString()); }

void MuestraAyuda(const QString& ruta) {
  std::unique_ptr<TFormaAyudaLinea> propio;
  TFormaAyudaLinea* visor = FormaAyudaLinea();
  if (!visor) {
    propio = std::make_unique<TFormaAyudaLinea>();
    visor = propio.get();
  }
  CargaTema(*visor->Texto, ruta);
  visor->ShowModal();
}

int BuscaTextoAyuda(int inicio, const QString& texto) {
  TFormaAyudaLinea* visor = FormaAyudaLinea();
  if (!visor) return -1;
  QTextDocument* documento = visor->Texto->document();
  if (inicio < 0 || inicio >= documento->characterCount()) return -1;
  const QTextCursor hallado = documento->find(texto, inicio);
  if (hallado.isNull()) return -1;
  visor->Texto->setFocus(Qt::OtherFocusReason);
  visor->Texto->setTextCursor(hallado);
  return hallado.selectionStart();
}

void EscribeIndiceAyuda(const QMenuBar& menu, const QString& titulo) {
  QString carpeta;
  CarpetaLocal(carpeta);
  QStringList lineas{titulo};
  const QList<QAction*> principales = menu.actions();
  for (int i = 1; i < principales.size(); ++i) {
    lineas << principales[i]->text();
    if (const QMenu* submenu = principales[i]->menu()) {
      for (const QAction* item : submenu->actions()) lineas << (item->isSeparator() ? QStringLiteral("-") : item->text());
    }
    lineas << QString(29, u'*');
  }
  fs::AgregaLinea(carpeta + QStringLiteral("\\ayuda\\ayudavrl.vrl"), lineas.join(QStringLiteral("\r\n")));
}
