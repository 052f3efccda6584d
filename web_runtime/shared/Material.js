// One material of the model script: its colour and the lighting factors of the desktop viewport.
class Material {
  constructor(red, green, blue, alpha, diffuse, ambient, emissive, specular, power, texture) {
    const n = (v, fallback) => (Number.isFinite(Number(v)) ? Number(v) : fallback);
    const r = n(red, 0.8), g = n(green, 0.8), b = n(blue, 0.8), a = n(alpha, 1);
    const dif = n(diffuse, 1), amb = n(ambient, 0.25), emi = n(emissive, 0), spc = n(specular, 0);
    // Colours of the lit surface, derived the way the viewport derives its fixed-function
    // material: colour times each factor, the colour's alpha as the surface's opacity.
    this.diffuse = [r * dif, g * dif, b * dif, a];
    this.ambient = [r * amb, g * amb, b * amb];
    this.emissive = [r * emi, g * emi, b * emi];
    this.specular = [spc, spc, spc];
    this.power = n(power, 5);
    // WebGL: what initTexture returned; WebGPU: the texture's file name; undefined without one.
    this.texture = texture === null || texture === '' ? undefined : texture;
  }

  // Grey material used when the model script names no material at all.
  static fallback() {
    return new Material(0.8, 0.8, 0.8, 1, 1, 0.25, 0, 0, 5);
  }

  // Sixteen floats for a uniform block: diffuse, ambient, specular with the power, emissive with
  // a texture flag.
  uniformData(textured) {
    return new Float32Array([
      this.diffuse[0], this.diffuse[1], this.diffuse[2], this.diffuse[3],
      this.ambient[0], this.ambient[1], this.ambient[2], 0,
      this.specular[0], this.specular[1], this.specular[2], this.power,
      this.emissive[0], this.emissive[1], this.emissive[2], textured ? 1 : 0,
    ]);
  }
}
