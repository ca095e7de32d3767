// The solids and 3D pies of the GDI canvas (cubes, cylinders, cones,
// pyramids, spheres, 3D arrows and pie slices) are drawn by the solids and
// pie drawers; until those exist these operations draw nothing.
#include "chart/canvas/ZuzCanvas3D.h"

void TZuzCanvas3D::Arrow(bool, const TPoint&, const TPoint&, int32_t, int32_t, int32_t, int32_t, double) {}
void TZuzCanvas3D::Cone(bool, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, bool, int32_t) {}
void TZuzCanvas3D::Cube(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, bool, int32_t) {}
void TZuzCanvas3D::Cube(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, bool, int32_t) {}
void TZuzCanvas3D::Cylinder(bool, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, bool) {}
void TZuzCanvas3D::Pyramid(bool, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, bool) {}
void TZuzCanvas3D::Sphere(int32_t, int32_t, int32_t, double) {}
void TZuzCanvas3D::Pie3D(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, double, double, bool, bool, int32_t,
                         TCustomZuzGradient*, int32_t, TEdgeStyle, TZuzTransparency, int32_t, bool, bool)
{
}
