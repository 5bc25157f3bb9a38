// "Réticule" and "curseurs de mesure": the graph window's toggles of its chart's crosshair
// and measuring cursors.
#pragma once

namespace qtl {

class Trepere;

void Reticule1Click(Trepere& window);
void Curseurs1Click(Trepere& window);

}  // namespace qtl
