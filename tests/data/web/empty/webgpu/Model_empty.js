class Model_empty extends BoneModel3D {
  constructor() {
    super();

    this.setMaterial(0.800,0.800,0.800,1.000,1.000,0.250,0.000,0.000,5.00);



    this.initBuffers();
  }
}
