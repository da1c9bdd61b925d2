// The reference for the side-by-side comparison: the anchor scene drawn by
// Mesa's software OpenGL (OSMesa, llvmpipe; LP_NUM_THREADS picks its
// threads), on the comparison's clock (frame_clock.h). A fifth argument
// writes the picture as a PPM file, to check that it is the same scene.
//
// Fixed-function OpenGL, as close to our pipeline as it goes: face normals,
// per-vertex (Gouraud) lighting from the same ambient and point light, the
// same frustum, depth test, back faces culled. OpenGL is right-handed, so the
// scene is mirrored in z on the way in; what the camera sees is unchanged.
#include <GL/gl.h>
#include <GL/osmesa.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "anchor_geometry.h"
#include "frame_clock.h"

namespace {

using platform::rm::Vec3;

Vec3 Mirrored(Vec3 v) { return {v.x, v.y, -v.z}; }

Vec3 Normalized(Vec3 v) {
  const float n = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  return {v.x / n, v.y / n, v.z / n};
}

Vec3 CrossOf(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }

// What gluLookAt does, without needing GLU.
void LookAt(Vec3 eye, Vec3 centre, Vec3 up) {
  const Vec3 f = Normalized(centre - eye);
  const Vec3 s = Normalized(CrossOf(f, up));
  const Vec3 u = CrossOf(s, f);
  const GLfloat m[16] = {s.x, u.x, -f.x, 0, s.y, u.y, -f.y, 0, s.z, u.z, -f.z, 0, 0, 0, 0, 1};
  glMultMatrixf(m);
  glTranslatef(-eye.x, -eye.y, -eye.z);
}

void SetUpScene(int width, int height) {
  namespace a = bench::anchor;
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  const float larger = static_cast<float>(width > height ? width : height);
  const float hx = a::kField * static_cast<float>(width) / larger;
  const float hy = a::kField * static_cast<float>(height) / larger;
  glFrustum(-hx, hx, -hy, hy, a::kFront, a::kBack);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  LookAt(Mirrored(a::kEye), Mirrored(a::kLookAt), {0, 1, 0});

  glClearColor(a::kBackground.x, a::kBackground.y, a::kBackground.z, 1);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LESS);
  glEnable(GL_CULL_FACE);
  glFrontFace(GL_CW);  // clockwise on screen is a front face, as in our renderer
  glShadeModel(GL_SMOOTH);
  glEnable(GL_LIGHTING);
  const GLfloat ambient[4] = {a::kAmbient.x, a::kAmbient.y, a::kAmbient.z, 1};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
  glEnable(GL_LIGHT0);
  const Vec3 light = Mirrored(a::kPointLight);
  const GLfloat position[4] = {light.x, light.y, light.z, 1};
  const GLfloat white[4] = {1, 1, 1, 1}, black[4] = {0, 0, 0, 1};
  glLightfv(GL_LIGHT0, GL_POSITION, position);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
  glLightfv(GL_LIGHT0, GL_AMBIENT, black);
  glLightfv(GL_LIGHT0, GL_SPECULAR, black);
  glEnable(GL_COLOR_MATERIAL);
  glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
}

// The mesh compiled once into a display list, so a frame costs drawing only.
GLuint CompileMesh() {
  const platform::rm::MeshData m = bench::anchor::Mesh(false);
  const GLuint list = glGenLists(1);
  glNewList(list, GL_COMPILE);
  glBegin(GL_TRIANGLES);
  std::size_t corner = 0;
  for (std::size_t face = 0; face < m.faceSizes.size(); ++face) {
    const platform::rm::Color& c = m.faceColors[face];
    glColor4f(c.r, c.g, c.b, c.a);
    for (std::uint32_t k = 0; k < m.faceSizes[face]; ++k, ++corner) {
      const Vec3 n = Mirrored(m.normals[m.faceNormalIndices[corner]]);
      const Vec3 p = Mirrored(m.positions[m.faceIndices[corner]]);
      glNormal3f(n.x, n.y, n.z);
      glVertex3f(p.x, p.y, p.z);
    }
  }
  glEnd();
  glEndList();
  return list;
}

void WritePpm(const char* path, int width, int height) {
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  std::FILE* f = std::fopen(path, "wb");
  if (!f) return;
  std::fprintf(f, "P6\n%d %d\n255\n", width, height);
  for (int y = height - 1; y >= 0; --y)  // OpenGL's rows run bottom to top
    std::fwrite(&rgb[static_cast<std::size_t>(y) * width * 3], 1, static_cast<std::size_t>(width) * 3, f);
  std::fclose(f);
}

}  // namespace

int main(int argc, char** argv) {
  bench::FrameArgs a;
  if (!bench::ParseFrameArgs(argc, argv, &a)) return 2;
  // The colour buffer in the depth asked for; llvmpipe may refuse a format,
  // and then draws in 32 bits, which is said.
  GLenum format = a.bpp == 16 ? OSMESA_RGB_565 : OSMESA_BGR;
  GLenum type = a.bpp == 16 ? GL_UNSIGNED_SHORT_5_6_5 : GL_UNSIGNED_BYTE;
  std::vector<std::uint8_t> buffer(static_cast<std::size_t>(a.width) * a.height * 4);
  OSMesaContext context = OSMesaCreateContextExt(format, 16, 0, 0, nullptr);
  if (!context || !OSMesaMakeCurrent(context, buffer.data(), type, a.width, a.height)) {
    if (context) OSMesaDestroyContext(context);
    std::fprintf(stderr, "anchor_osmesa: no %d-bit colour buffer, drawing in 32 bits\n", a.bpp);
    format = OSMESA_BGRA;
    type = GL_UNSIGNED_BYTE;
    context = OSMesaCreateContextExt(format, 16, 0, 0, nullptr);
    if (!context || !OSMesaMakeCurrent(context, buffer.data(), type, a.width, a.height)) {
      std::fprintf(stderr, "anchor_osmesa: no OSMesa context\n");
      return 1;
    }
  }
  SetUpScene(a.width, a.height);
  const GLuint mesh = CompileMesh();
  auto drawFrame = [&] {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glCallList(mesh);
    glFinish();  // the picture complete in the buffer, as our frame ends
  };
  bench::PrintFrameTimes(bench::MedianFrameTimes(a.frames, drawFrame));
  if (argc > 5) WritePpm(argv[5], a.width, a.height);
  OSMesaDestroyContext(context);
  return 0;
}
