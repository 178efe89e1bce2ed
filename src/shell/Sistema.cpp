#include "shell/Sistema.h"

#include "foundation/rutinas_numero.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"

#include <QLabel>
#include <QPushButton>

namespace {

const QString kMiles = QStringLiteral("#,##0");

}  // namespace

QString TextoMemoria(const fs::EstadoMemoria& memoria) {
  return FormatoMascara(kMiles, static_cast<double>(memoria.totalBytes / 1024)) + QStringLiteral(" KB");
}

QString TextoMemoriaEnUso(const fs::EstadoMemoria& memoria) {
  return QString::number(memoria.cargaPorciento) + QStringLiteral(" %");
}

QString TextoEspacioLibre(qint64 bytesLibres) {
  return FormatoMascara(kMiles, static_cast<double>(bytesLibres / 1024)) + QStringLiteral(" Kbytes.");
}

TFormaSistema::TFormaSistema(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaSistema>() = this;
  setObjectName(QStringLiteral("FormaSistema"));
  setWindowTitle(QStringLiteral("Información del Sistema"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(357, 243);

  QFont negrita = font();
  negrita.setBold(true);
  const auto fila = [&](const QString& titulo, const char* nombre, int arriba) {
    auto* etiqueta = new QLabel(titulo, this);
    etiqueta->setGeometry(20, arriba, 190, 22);
    auto* valor = new QLabel(this);
    valor->setObjectName(QString::fromLatin1(nombre));
    valor->setFont(negrita);
    valor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    valor->setGeometry(190, arriba, 147, 22);
    return valor;
  };
  Memoria = fila(QStringLiteral("Memoría Física Disponible:"), "Memoria", 30);
  EnUso = fila(QStringLiteral("Memoría en Uso:"), "EnUso", 70);
  Disco = fila(QStringLiteral("Espacio Disponible en Disco"), "Disco", 110);

  Aceptar = new QPushButton(QStringLiteral("Aceptar"), this);
  Aceptar->setObjectName(QStringLiteral("Aceptar"));
  Aceptar->setProperty("Cancel", true);
  Aceptar->setDefault(true);
  Aceptar->setGeometry(139, 180, 80, 30);
  ui::Conecta(Aceptar, &QPushButton::clicked, this, [this] { Close(); });

  // The disk of the program folder, where the program runs.
  const fs::EstadoMemoria memoria = fs::LeeEstadoMemoria();
  Memoria->setText(TextoMemoria(memoria));
  EnUso->setText(TextoMemoriaEnUso(memoria));
  Disco->setText(TextoEspacioLibre(fs::EspacioLibre(fs::CarpetaDelPrograma())));

  ui::CentraEnPantalla(*this);
}
