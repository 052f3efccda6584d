// Three-component vector: camera points and directions handed over by the scene script.
class Vector3D {
  constructor(x, y, z) {
    this.x = Number(x) || 0;
    this.y = Number(y) || 0;
    this.z = Number(z) || 0;
  }

  subtract(v) {
    return new Vector3D(this.x - v.x, this.y - v.y, this.z - v.z);
  }

  cross(v) {
    return new Vector3D(this.y * v.z - this.z * v.y, this.z * v.x - this.x * v.z, this.x * v.y - this.y * v.x);
  }

  dot(v) {
    return this.x * v.x + this.y * v.y + this.z * v.z;
  }

  length() {
    return Math.sqrt(this.dot(this));
  }

  // A zero vector stays zero instead of turning into NaN.
  normalize() {
    const l = this.length();
    return l > 0 ? new Vector3D(this.x / l, this.y / l, this.z / l) : new Vector3D(0, 0, 0);
  }
}
