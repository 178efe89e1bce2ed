#pragma once
// System information: the physical memory, how much of it is in use and the
// free space of the program's disk, computed when the window is created.
// Esc and "Aceptar" close it.

#include "platform/fs/Sistema.h"
#include "platform/ui/Forma.h"

class QLabel;
class QPushButton;

class TFormaSistema : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaSistema(QWidget* owner = nullptr);

  QLabel* Memoria;     // "Memoría Física Disponible:" value
  QLabel* EnUso;       // "Memoría en Uso:" value
  QLabel* Disco;       // "Espacio Disponible en Disco" value
  QPushButton* Aceptar;
};

inline TFormaSistema* FormaSistema() { return ui::InstanciaDe<TFormaSistema>().data(); }

// The texts the window shows: total memory in kilobytes with thousands
// separators and " KB"; the load as "<n> %"; free disk in kilobytes with
// thousands separators and " Kbytes.".
QString TextoMemoria(const fs::EstadoMemoria& memoria);
QString TextoMemoriaEnUso(const fs::EstadoMemoria& memoria);
QString TextoEspacioLibre(qint64 bytesLibres);
