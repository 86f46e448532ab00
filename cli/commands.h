#pragma once
// The commands of velmora-cli, one file each. Each takes the arguments after
// its name and returns the exit status; errors are thrown as velmora::Error.
#include <string>
#include <vector>

namespace velmora::cli {

using Args = std::vector<std::string>;

int Exportar(const Args& args);    // cmd_exportar.cpp
int Importar(const Args& args);    // cmd_importar.cpp
int Plantillas(const Args& args);  // cmd_plantillas.cpp
int Tabla(const Args& args);       // cmd_tabla.cpp

}  // namespace velmora::cli
