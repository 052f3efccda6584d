document.write('<canvas id="Canvas_静止" width="640" height="480"></canvas>');
document.write('<script type="text/javascript" src="webgpu/Vector3D.js"></script>');
document.write('<script type="text/javascript" src="webgpu/Matrix3D.js"></script>');
document.write('<script type="text/javascript" src="webgpu/Zentrel3D.js"></script>');
document.write('<script type="text/javascript" src="webgpu/Model3D.js"></script>');
document.write('<script type="text/javascript" src="webgpu/BoneModel3D.js"></script>');
document.write('<script type="text/javascript" src="webgpu/Material.js"></script>');
document.write('<script type="text/javascript" src="webgpu/WGSL.js"></script>');
document.write('<script type="text/javascript" src="webgpu/Model_静止.js"></script>');
document.write('<script>initWebGPU("Canvas_静止");</script>');
let _model;

function init() {
	_fov = 25.000000;
	_model = new Model_静止();
}

function draw(passEncoder) {
	_camera.lookAt(new Vector3D(0.000000, 388.228577, 1448.888794), new Vector3D(0.000000, 362.346680, 1352.296265), new Vector3D(0, 1, 0))
	_model.draw(passEncoder);
}
