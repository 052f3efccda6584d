#include "viewport/gl_device.h"

#include <epoxy/gl.h>

#include <cmath>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "viewport/gl_shaders.h"
#include "viewport/view_math.h"

namespace qv {

struct GlDevice::Uniforms {
  GLint worldView, projection, normalMatrix, remapDepth;
  GLint lighting, normalize, specularEnable, localViewer, lightEnabled, globalAmbient;
  GLint towardLight, lightDiffuse, lightSpecular, lightAmbient;
  GLint materialDiffuse, materialAmbient, materialSpecular, materialEmissive, materialPower;
  GLint flat, hasTexture, texture, colorCombine, alphaCombine;
};

namespace {

constexpr GLuint kPosition = 0, kNormal = 1, kUv = 2, kColor = 3;

GLuint CompileShader(GLenum kind, const char* source, std::string* error) {
  const GLuint shader = glCreateShader(kind);
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  GLint ok = 0;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (!ok) {
    char log[1024] = {};
    glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    if (error) *error = std::string("shader compilation failed: ") + log;
    glDeleteShader(shader);
    return 0;
  }
  return shader;
}

void Uniform(GLint location, const ColorValue& c) { glUniform4f(location, c.r, c.g, c.b, c.a); }

ColorValue FromArgb(uint32_t argb) {
  return {((argb >> 16) & 0xFF) / 255.0f, ((argb >> 8) & 0xFF) / 255.0f, (argb & 0xFF) / 255.0f,
          ((argb >> 24) & 0xFF) / 255.0f};
}

GLenum BlendOf(uint32_t factor) {
  switch (factor) {
    case kBlendZero: return GL_ZERO;
    case kBlendSourceAlpha: return GL_SRC_ALPHA;
    case kBlendInverseSourceAlpha: return GL_ONE_MINUS_SRC_ALPHA;
    default: return GL_ONE;
  }
}

GLenum ModeOf(Primitive primitive) { return primitive == Primitive::kTriangleList ? GL_TRIANGLES : GL_LINES; }

// (A⁻¹)ᵀ of the upper 3×3 part, row by row: normals follow the surface under non-uniform scaling.
void NormalMatrix(const Matrix4& m, float out[9]) {
  const float a = m.m[0][0], b = m.m[0][1], c = m.m[0][2];
  const float d = m.m[1][0], e = m.m[1][1], f = m.m[1][2];
  const float g = m.m[2][0], h = m.m[2][1], i = m.m[2][2];
  const float A = e * i - f * h, B = -(d * i - f * g), C = d * h - e * g;
  const float det = a * A + b * B + c * C;
  if (det == 0.0f || !std::isfinite(det)) {
    for (int k = 0; k < 9; ++k) out[k] = (k % 4 == 0) ? 1.0f : 0.0f;
    return;
  }
  // The inverse's transpose is the cofactor matrix divided by the determinant.
  const float s = 1.0f / det;
  out[0] = A * s;
  out[1] = B * s;
  out[2] = C * s;
  out[3] = -(b * i - c * h) * s;
  out[4] = (a * i - c * g) * s;
  out[5] = -(a * h - b * g) * s;
  out[6] = (b * f - c * e) * s;
  out[7] = -(a * f - c * d) * s;
  out[8] = (a * e - b * d) * s;
}

}  // namespace

std::unique_ptr<GlDevice> GlDevice::Create(Target target, int width, int height, std::string* error) {
  std::unique_ptr<GlDevice> device(new GlDevice);
  if (!device->Init(target, width, height, error)) return nullptr;
  return device;
}

bool GlDevice::Init(Target target, int width, int height, std::string* error) {
  if (epoxy_gl_version() < 33) {
    if (error) *error = "OpenGL 3.3 is not available";
    return false;
  }
  m_target = target;
  m_size = {width, height};
  m_clipControl = epoxy_gl_version() >= 45 || epoxy_has_gl_extension("GL_ARB_clip_control");

  const GLuint vertex = CompileShader(GL_VERTEX_SHADER, kFixedFunctionVertexShader, error);
  if (!vertex) return false;
  const GLuint fragment = CompileShader(GL_FRAGMENT_SHADER, kFixedFunctionFragmentShader, error);
  if (!fragment) {
    glDeleteShader(vertex);
    return false;
  }
  m_program = glCreateProgram();
  glAttachShader(m_program, vertex);
  glAttachShader(m_program, fragment);
  glLinkProgram(m_program);
  glDeleteShader(vertex);
  glDeleteShader(fragment);
  GLint linked = 0;
  glGetProgramiv(m_program, GL_LINK_STATUS, &linked);
  if (!linked) {
    char log[1024] = {};
    glGetProgramInfoLog(m_program, sizeof log, nullptr, log);
    if (error) *error = std::string("shader linking failed: ") + log;
    return false;
  }

  m_uniforms = std::make_unique<Uniforms>();
  Uniforms& u = *m_uniforms;
  auto at = [this](const char* name) { return glGetUniformLocation(m_program, name); };
  u.worldView = at("u_worldView");
  u.projection = at("u_projection");
  u.normalMatrix = at("u_normalMatrix");
  u.remapDepth = at("u_remapDepth");
  u.lighting = at("u_lighting");
  u.normalize = at("u_normalize");
  u.specularEnable = at("u_specularEnable");
  u.localViewer = at("u_localViewer");
  u.lightEnabled = at("u_lightEnabled");
  u.globalAmbient = at("u_globalAmbient");
  u.towardLight = at("u_towardLight");
  u.lightDiffuse = at("u_lightDiffuse");
  u.lightSpecular = at("u_lightSpecular");
  u.lightAmbient = at("u_lightAmbient");
  u.materialDiffuse = at("u_materialDiffuse");
  u.materialAmbient = at("u_materialAmbient");
  u.materialSpecular = at("u_materialSpecular");
  u.materialEmissive = at("u_materialEmissive");
  u.materialPower = at("u_materialPower");
  u.flat = at("u_flat");
  u.hasTexture = at("u_hasTexture");
  u.texture = at("u_texture");
  u.colorCombine = at("u_colorCombine");
  u.alphaCombine = at("u_alphaCombine");

  glGenVertexArrays(1, &m_vertexArray);
  glGenBuffers(1, &m_streamBuffer);
  glGenSamplers(1, &m_sampler);
  SetTextureFilter(m_state.minFilter, m_state.magFilter);
  if (m_target == Target::kOffscreen && !m_framebuffer.Resize(width, height)) {
    if (error) *error = "cannot create an offscreen framebuffer";
    return false;
  }
  return true;
}

GlDevice::~GlDevice() {
  for (const auto& [vertices, indices] : m_indexBuffers) {
    const GLuint buffers[2] = {vertices, indices};
    glDeleteBuffers(2, buffers);
  }
  if (m_program) glDeleteProgram(m_program);
  if (m_vertexArray) glDeleteVertexArrays(1, &m_vertexArray);
  if (m_streamBuffer) glDeleteBuffers(1, &m_streamBuffer);
  if (m_sampler) glDeleteSamplers(1, &m_sampler);
}

RgbaImage GlDevice::ReadPixels() const {
  if (m_target != Target::kOffscreen) return {};
  glFinish();
  return m_framebuffer.Read();
}

uint32_t GlDevice::CreateVertexBuffer(VertexLayout layout, const void* vertices, uint32_t vertexCount) {
  if (vertexCount == 0 || !vertices) return 0;
  // Triangle lists repeat each shared corner once per triangle. Keeping one copy of every
  // distinct vertex record plus an index list in the original order draws the same triangles
  // with the same first corners, and lets the vertex cache skip the repeats: software
  // rasterisers spend most of a frame on vertices.
  const uint32_t stride = StrideOf(layout);
  const auto* bytes = static_cast<const uint8_t*>(vertices);
  std::vector<uint32_t> indices(vertexCount);
  std::vector<uint8_t> unique;
  unique.reserve(size_t{vertexCount} * stride / 2);
  std::unordered_map<std::string_view, uint32_t> seen;
  seen.reserve(vertexCount);
  uint32_t uniqueCount = 0;
  for (uint32_t i = 0; i < vertexCount; ++i) {
    const std::string_view record(reinterpret_cast<const char*>(bytes + size_t{i} * stride), stride);
    auto [it, added] = seen.try_emplace(record, uniqueCount);
    if (added) {
      unique.insert(unique.end(), bytes + size_t{i} * stride, bytes + size_t{i + 1} * stride);
      ++uniqueCount;
    }
    indices[i] = it->second;
  }
  GLuint buffers[2] = {0, 0};
  glGenBuffers(2, buffers);
  glBindBuffer(GL_ARRAY_BUFFER, buffers[0]);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(unique.size()), unique.data(), GL_STATIC_DRAW);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  // Index buffers are vertex-array state: fill this one outside any vertex array.
  GLint boundArray = 0;
  glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &boundArray);
  glBindVertexArray(0);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers[1]);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr{vertexCount} * 4, indices.data(), GL_STATIC_DRAW);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  glBindVertexArray(static_cast<GLuint>(boundArray));
  if (glGetError() == GL_OUT_OF_MEMORY) {
    glDeleteBuffers(2, buffers);
    return 0;
  }
  m_indexBuffers[buffers[0]] = buffers[1];
  m_attribBuffer = ~0u;  // a recycled name must not look like the buffer set up before
  return buffers[0];
}

void GlDevice::ReleaseVertexBuffer(uint32_t buffer) {
  if (!buffer) return;
  auto it = m_indexBuffers.find(buffer);
  if (it == m_indexBuffers.end()) return;  // not made here (or released already)
  const GLuint buffers[2] = {it->first, it->second};
  glDeleteBuffers(2, buffers);
  m_indexBuffers.erase(it);
  if (m_state.streamBuffer == buffer) m_state.streamBuffer = 0;
  m_attribBuffer = ~0u;
}

uint32_t GlDevice::CreateTexture(int width, int height, const uint32_t* argb) {
  if (width <= 0 || height <= 0) return 0;
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  // 0xAARRGGBB words are B, G, R, A bytes in memory; the first row is the top row, which is
  // where texture coordinate v = 0 samples.
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, argb);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);  // one level, as created
  glBindTexture(GL_TEXTURE_2D, 0);
  if (glGetError() != GL_NO_ERROR) {
    glDeleteTextures(1, &texture);
    return 0;
  }
  return texture;
}

void GlDevice::ReleaseTexture(uint32_t texture) {
  if (!texture) return;
  glDeleteTextures(1, &texture);
  if (m_state.texture == texture) m_state.texture = 0;
}

bool GlDevice::Reset(int width, int height) {
  if (width < 1 || height < 1) return false;
  if (m_target == Target::kOffscreen && !m_framebuffer.Resize(width, height)) return false;
  m_size = {width, height};
  return true;
}

void GlDevice::BindTarget() {
  if (m_target == Target::kOffscreen) m_framebuffer.Bind();
  glViewport(0, 0, m_size.width, m_size.height);
}

void GlDevice::Clear(bool target, uint32_t argb, bool depth, float z) {
  if (!m_inScene) BindTarget();
  GLbitfield mask = 0;
  if (target) {
    const ColorValue c = FromArgb(argb);
    glClearColor(c.r, c.g, c.b, c.a);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    mask |= GL_COLOR_BUFFER_BIT;
  }
  if (depth) {
    glClearDepth(z);
    glDepthMask(GL_TRUE);
    mask |= GL_DEPTH_BUFFER_BIT;
  }
  glDisable(GL_SCISSOR_TEST);
  if (mask) glClear(mask);
}

void GlDevice::BeginScene() {
  BindTarget();
  m_inScene = true;
  if (m_clipControl) {
    glGetIntegerv(GL_CLIP_ORIGIN, &m_savedClipOrigin);
    glGetIntegerv(GL_CLIP_DEPTH_MODE, &m_savedClipDepth);
    glClipControl(GL_LOWER_LEFT, GL_ZERO_TO_ONE);
  }
  glGetIntegerv(GL_PROVOKING_VERTEX, &m_savedProvoking);
  glProvokingVertex(GL_FIRST_VERTEX_CONVENTION);  // flat shading takes a triangle's first corner
  glDepthMask(GL_TRUE);
  glDepthFunc(GL_LEQUAL);
  glUseProgram(m_program);
  glBindVertexArray(m_vertexArray);
  glActiveTexture(GL_TEXTURE0);
  glBindSampler(0, m_sampler);
  m_attribBuffer = ~0u;
  m_dirtyMatrices = m_dirtyLight = m_dirtyMaterial = m_dirtyStates = true;
  ApplyPipelineState();
}

void GlDevice::EndScene() {
  if (!m_inScene) return;
  m_inScene = false;
  if (m_clipControl) glClipControl(m_savedClipOrigin, m_savedClipDepth);
  glProvokingVertex(m_savedProvoking);
  glBindSampler(0, 0);
  glBindVertexArray(0);
  glUseProgram(0);
}

bool GlDevice::Present() {
  glFlush();
  return true;
}

// The states OpenGL keeps itself (depth, blending, culling); the rest go to uniforms.
void GlDevice::ApplyPipelineState() {
  if (!m_inScene) return;
  if (m_state.Get(RenderState::kDepthTest))
    glEnable(GL_DEPTH_TEST);
  else
    glDisable(GL_DEPTH_TEST);
  if (m_state.Get(RenderState::kAlphaBlend))
    glEnable(GL_BLEND);
  else
    glDisable(GL_BLEND);
  glBlendFunc(BlendOf(m_state.Get(RenderState::kSourceBlend)), BlendOf(m_state.Get(RenderState::kDestBlend)));
  switch (m_state.Get(RenderState::kCullMode)) {
    case kCullCounterClockwise:
      // Seen on screen, OpenGL's window coordinates and the classic ones turn the same way.
      glEnable(GL_CULL_FACE);
      glFrontFace(GL_CW);
      glCullFace(GL_BACK);
      break;
    case kCullClockwise:
      glEnable(GL_CULL_FACE);
      glFrontFace(GL_CCW);
      glCullFace(GL_BACK);
      break;
    default: glDisable(GL_CULL_FACE); break;
  }
}

void GlDevice::SetRenderState(RenderState state, uint32_t value) {
  m_state.renderStates[static_cast<int>(state)] = value;
  m_dirtyStates = true;
  switch (state) {
    case RenderState::kDepthTest:
    case RenderState::kAlphaBlend:
    case RenderState::kSourceBlend:
    case RenderState::kDestBlend:
    case RenderState::kCullMode: ApplyPipelineState(); break;
    default: break;
  }
}

void GlDevice::SetTextureCombine(TextureCombine color, TextureCombine alpha) {
  m_state.colorCombine = color;
  m_state.alphaCombine = alpha;
  m_dirtyStates = true;
}

void GlDevice::SetTextureFilter(TextureFilter min, TextureFilter mag) {
  m_state.minFilter = min;
  m_state.magFilter = mag;
  glSamplerParameteri(m_sampler, GL_TEXTURE_MIN_FILTER, min == TextureFilter::kLinear ? GL_LINEAR : GL_NEAREST);
  glSamplerParameteri(m_sampler, GL_TEXTURE_MAG_FILTER, mag == TextureFilter::kLinear ? GL_LINEAR : GL_NEAREST);
}

void GlDevice::SetTransform(TransformSlot slot, const Matrix4& matrix) {
  m_state.transforms[static_cast<int>(slot)] = matrix;
  m_dirtyMatrices = true;
  if (slot == TransformSlot::kView) m_dirtyLight = true;  // the light is lit in view space
}

void GlDevice::SetLight(const DirectionalLight& light) {
  m_state.light = light;
  m_dirtyLight = true;
}

void GlDevice::LightEnable(bool enable) {
  m_state.lightEnabled = enable;
  m_dirtyLight = true;
}

void GlDevice::SetMaterial(const MaterialLighting& material) {
  m_state.material = material;
  m_dirtyMaterial = true;
}

void GlDevice::SetTexture(uint32_t texture) {
  m_state.texture = texture;
  m_dirtyStates = true;
}

void GlDevice::SetVertexLayout(VertexLayout layout) { m_state.vertexLayout = layout; }

void GlDevice::SetStreamSource(uint32_t buffer, uint32_t stride) {
  m_state.streamBuffer = buffer;
  m_state.streamStride = stride;
}

void GlDevice::UploadUniforms() {
  const Uniforms& u = *m_uniforms;
  if (m_dirtyMatrices) {
    const Matrix4 worldView =
        m_state.Transform(TransformSlot::kWorld) * m_state.Transform(TransformSlot::kView);
    glUniformMatrix4fv(u.worldView, 1, GL_TRUE, &worldView.m[0][0]);
    glUniformMatrix4fv(u.projection, 1, GL_TRUE, &m_state.Transform(TransformSlot::kProjection).m[0][0]);
    float normal[9];
    NormalMatrix(worldView, normal);
    glUniformMatrix3fv(u.normalMatrix, 1, GL_TRUE, normal);
    glUniform1i(u.remapDepth, m_clipControl ? 0 : 1);
    m_dirtyMatrices = false;
  }
  if (m_dirtyLight) {
    const DirectionalLight& light = m_state.light;
    const CVector direction =
        vmath::Normalize(TransformDirection(light.direction, m_state.Transform(TransformSlot::kView)));
    glUniform3f(u.towardLight, -direction.x, -direction.y, -direction.z);
    Uniform(u.lightDiffuse, light.diffuse);
    Uniform(u.lightSpecular, light.specular);
    Uniform(u.lightAmbient, light.ambient);
    glUniform1i(u.lightEnabled, m_state.lightEnabled ? 1 : 0);
    m_dirtyLight = false;
  }
  if (m_dirtyMaterial) {
    const MaterialLighting& material = m_state.material;
    Uniform(u.materialDiffuse, material.diffuse);
    Uniform(u.materialAmbient, material.ambient);
    Uniform(u.materialSpecular, material.specular);
    Uniform(u.materialEmissive, material.emissive);
    glUniform1f(u.materialPower, material.power);
    m_dirtyMaterial = false;
  }
  if (m_dirtyStates) {
    glUniform1i(u.lighting, m_state.Get(RenderState::kLighting) ? 1 : 0);
    glUniform1i(u.normalize, m_state.Get(RenderState::kNormalizeNormals) ? 1 : 0);
    glUniform1i(u.specularEnable, m_state.Get(RenderState::kSpecular) ? 1 : 0);
    glUniform1i(u.localViewer, m_state.Get(RenderState::kLocalViewer) ? 1 : 0);
    Uniform(u.globalAmbient, FromArgb(m_state.Get(RenderState::kAmbient)));
    glUniform1i(u.flat, m_state.Get(RenderState::kShadeMode) == kShadeFlat ? 1 : 0);
    glUniform1i(u.colorCombine, static_cast<int>(m_state.colorCombine));
    glUniform1i(u.alphaCombine, static_cast<int>(m_state.alphaCombine));
    glUniform1i(u.hasTexture, m_state.texture ? 1 : 0);
    glUniform1i(u.texture, 0);
    glBindTexture(GL_TEXTURE_2D, m_state.texture);
    m_dirtyStates = false;
  }
}

void GlDevice::PrepareDraw(uint32_t buffer, uint32_t stride) {
  UploadUniforms();
  const VertexLayout layout = m_state.vertexLayout;
  if (buffer == m_attribBuffer && layout == m_attribLayout && stride == m_attribStride) return;
  glBindBuffer(GL_ARRAY_BUFFER, buffer);
  const auto indexed = m_indexBuffers.find(buffer);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexed != m_indexBuffers.end() ? indexed->second : 0);
  auto offset = [](size_t bytes) { return reinterpret_cast<const void*>(bytes); };
  glEnableVertexAttribArray(kPosition);
  glVertexAttribPointer(kPosition, 3, GL_FLOAT, GL_FALSE, stride, offset(0));
  glEnableVertexAttribArray(kNormal);
  glVertexAttribPointer(kNormal, 3, GL_FLOAT, GL_FALSE, stride, offset(12));
  if (layout == VertexLayout::kModel) {
    glEnableVertexAttribArray(kUv);
    glVertexAttribPointer(kUv, 2, GL_FLOAT, GL_FALSE, stride, offset(24));
    glDisableVertexAttribArray(kColor);
    glVertexAttrib4f(kColor, 1, 1, 1, 1);  // no vertex colour: white
  } else {
    glDisableVertexAttribArray(kUv);
    glVertexAttrib2f(kUv, 0, 0);
    glEnableVertexAttribArray(kColor);
    // A 0xAARRGGBB word is the byte sequence B, G, R, A.
    glVertexAttribPointer(kColor, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride, offset(24));
  }
  m_attribBuffer = buffer;
  m_attribLayout = layout;
  m_attribStride = stride;
}

void GlDevice::DrawPrimitive(Primitive primitive, uint32_t startVertex, uint32_t count) {
  if (!m_inScene || !m_state.streamBuffer || count == 0) return;
  if (!m_indexBuffers.count(m_state.streamBuffer)) return;
  PrepareDraw(m_state.streamBuffer, m_state.streamStride ? m_state.streamStride : StrideOf(m_state.vertexLayout));
  // The index list has one entry per original vertex, so vertex ranges are index ranges.
  glDrawElements(ModeOf(primitive), static_cast<GLsizei>(VerticesOf(primitive, count)), GL_UNSIGNED_INT,
                 reinterpret_cast<const void*>(size_t{startVertex} * 4));
}

void GlDevice::DrawPrimitiveUP(Primitive primitive, uint32_t count, const void* vertices, uint32_t stride) {
  if (!m_inScene || !vertices || count == 0) return;
  const uint32_t vertexCount = VerticesOf(primitive, count);
  glBindBuffer(GL_ARRAY_BUFFER, m_streamBuffer);
  glBufferData(GL_ARRAY_BUFFER, GLsizeiptr{vertexCount} * stride, vertices, GL_STREAM_DRAW);
  m_attribBuffer = ~0u;  // the stream buffer's contents changed
  PrepareDraw(m_streamBuffer, stride);
  glDrawArrays(ModeOf(primitive), 0, static_cast<GLsizei>(vertexCount));
}

}  // namespace qv
