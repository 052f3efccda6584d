document.write('<canvas id="Canvas_empty" width="800" height="600"></canvas>');
document.write('<script type="text/javascript" src="webgpu/Vector3D.js"></script>');
document.write('<script type="text/javascript" src="webgpu/Matrix3D.js"></script>');
document.write('<script type="text/javascript" src="webgpu/Zentrel3D.js"></script>');
document.write('<script type="text/javascript" src="webgpu/Model3D.js"></script>');
document.write('<script type="text/javascript" src="webgpu/BoneModel3D.js"></script>');
document.write('<script type="text/javascript" src="webgpu/Material.js"></script>');
document.write('<script type="text/javascript" src="webgpu/WGSL.js"></script>');
document.write('<script type="text/javascript" src="webgpu/Model_empty.js"></script>');
document.write('<script>initWebGPU("Canvas_empty");</script>');
let _model;

function init() {
	_fov = 20.000000;
	_model = new Model_empty();
}

function draw(passEncoder) {
	_camera.lookAt(new Vector3D(-244.763885, 513.030212, 1388.125000), new Vector3D(-227.399063, 479.347809, 1295.583374), new Vector3D(0, 1, 0))
	_model.draw(passEncoder);
}
