document.write('<canvas id="Canvas_textured" width="800" height="600"></canvas>');
document.write('<script type="text/javascript" src="webgpu/Vector3D.js"></script>');
document.write('<script type="text/javascript" src="webgpu/Matrix3D.js"></script>');
document.write('<script type="text/javascript" src="webgpu/Zentrel3D.js"></script>');
document.write('<script type="text/javascript" src="webgpu/Model3D.js"></script>');
document.write('<script type="text/javascript" src="webgpu/BoneModel3D.js"></script>');
document.write('<script type="text/javascript" src="webgpu/Material.js"></script>');
document.write('<script type="text/javascript" src="webgpu/WGSL.js"></script>');
document.write('<script type="text/javascript" src="webgpu/Model_textured.js"></script>');
document.write('<script>initWebGPU("Canvas_textured");</script>');
let _model;

function init() {
	_fov = 20.000000;
	_model = new Model_textured();
}

function draw(passEncoder) {
	_camera.lookAt(new Vector3D(0.000000, 0.000000, 1500.000000), new Vector3D(0.000000, 0.000000, 1400.000000), new Vector3D(0, 1, 0))
	_model.draw(passEncoder);
}
