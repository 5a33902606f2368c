#include <gtest/gtest.h>

#include <sys/stat.h>

#include "Platform/BlockDeviceFacts.h"
#include "Platform/FileSystemIdentity.h"
#include "Platform/VolumeDescriber.h"
#include "support/TempDir.h"

namespace quillane {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;
using testing::writeFile;

// A sysfs tree laid out as the kernel lays it out, with the attribute values recorded on real
// machines (a USB card reader, a SATA and an NVMe disk, an NVMe SSD behind Thunderbolt, a laptop's
// SD slot, soldered eMMC, a loop device).
class RecordedSysfs : public ::testing::Test {
protected:
    // Adds a disk at `diskDir` (below devices/) whose hardware attributes live in `deviceDir`
    // (relative to diskDir, the kernel's "device" link), and a partition when partition > 0.
    void addDisk(const std::string& diskDir, unsigned major, unsigned minor, const std::string& removable,
                 const std::string& deviceLink = "", int partition = 0) {
        const fs::path disk = root.path() / "devices" / diskDir;
        const std::string name = disk.filename().string();
        writeFile(disk / "removable", removable + "\n");
        writeFile(disk / "uevent", "MAJOR=" + std::to_string(major) + "\nMINOR=" + std::to_string(minor) +
                                       "\nDEVNAME=" + name + "\nDEVTYPE=disk\n");
        if (!deviceLink.empty()) {
            fs::create_directories((disk / deviceLink).lexically_normal());
            fs::create_directory_symlink(deviceLink, disk / "device");
        }
        fs::path node = disk;
        unsigned nodeMinor = minor;
        if (partition > 0) {
            const std::string partName = name + (std::isdigit(static_cast<unsigned char>(name.back())) ? "p" : "") +
                                         std::to_string(partition);
            node = disk / partName;
            nodeMinor = minor + static_cast<unsigned>(partition);
            writeFile(node / "partition", std::to_string(partition) + "\n");
            writeFile(node / "uevent", "MAJOR=" + std::to_string(major) + "\nMINOR=" + std::to_string(nodeMinor) +
                                           "\nDEVNAME=" + partName + "\nDEVTYPE=partition\nPARTN=1\n");
        }
        fs::create_directories(root.path() / "dev" / "block");
        fs::create_directory_symlink(fs::relative(node, root.path() / "dev" / "block"),
                                     root.path() / "dev" / "block" / (std::to_string(major) + ":" + std::to_string(nodeMinor)));
    }
    void attribute(const std::string& relative, const std::string& value) { writeFile(root.path() / "devices" / relative, value); }

    BlockDeviceFacts facts(unsigned major, unsigned minor) {
        std::optional<BlockDeviceFacts> read = BlockDevices::facts({major, minor}, root.path());
        EXPECT_TRUE(read.has_value()) << major << ":" << minor;
        return read.value_or(BlockDeviceFacts{});
    }

    // The hardware in one line: the protocol, then where the device sits and how it comes out.
    static std::string hardware(const BlockDeviceFacts& f) {
        return f.protocol.value_or("?") + (f.isInternal ? " internal" : " external") +
               (f.isRemovable ? " removable" : "") + (f.isEjectable ? " ejectable" : "") + (f.isLoop ? " loop" : "");
    }

    TempDir root{"quillane-sysfs"};
};

TEST_F(RecordedSysfs, UsbCardReaderIsAnExternalRemovableUsbDevice) {
    const std::string scsi = "pci0000:00/0000:00:14.0/usb2/2-3/2-3:1.0/host6/target6:0:0/6:0:0:0";
    addDisk(scsi + "/block/sdb", 8, 16, "1", "../../../6:0:0:0", 1);
    attribute(scsi + "/vendor", "Generic-\n");
    attribute(scsi + "/model", "SD/MMC          \n");

    const BlockDeviceFacts card = facts(8, 17);
    EXPECT_EQ(card.kernelName, "sdb1");
    EXPECT_EQ(card.diskName, "sdb");
    EXPECT_EQ(card.vendor, "Generic-");
    EXPECT_EQ(card.model, "SD/MMC") << "the kernel pads models with blanks";
    EXPECT_EQ(hardware(card), "USB external removable ejectable");
    EXPECT_FALSE(card.mediaName.has_value());
}

TEST_F(RecordedSysfs, InternalDisksAreSataOrPciExpressAndNotEjectable) {
    const std::string sata = "pci0000:00/0000:00:17.0/ata1/host0/target0:0:0/0:0:0:0";
    addDisk(sata + "/block/sda", 8, 0, "0", "../../../0:0:0:0", 2);
    attribute(sata + "/vendor", "ATA     \n");
    attribute(sata + "/model", "Samsung SSD 860 \n");
    const BlockDeviceFacts sataDisk = facts(8, 2);
    EXPECT_EQ(hardware(sataDisk), "SATA internal");
    EXPECT_FALSE(sataDisk.vendor.has_value()) << "\"ATA\" names the bus, not a maker";
    EXPECT_EQ(sataDisk.model, "Samsung SSD 860");

    const std::string nvme = "pci0000:00/0000:00:1d.0/0000:03:00.0/nvme/nvme0";
    addDisk(nvme + "/nvme0n1", 259, 0, "0", "../../nvme0", 1);
    attribute(nvme + "/model", "Samsung SSD 980 PRO 1TB                 \n");
    const BlockDeviceFacts nvmeDisk = facts(259, 1);
    EXPECT_EQ(nvmeDisk.kernelName, "nvme0n1p1");
    EXPECT_EQ(hardware(nvmeDisk), "PCI-Express internal");
    EXPECT_EQ(nvmeDisk.model, "Samsung SSD 980 PRO 1TB");
}

TEST_F(RecordedSysfs, NvmeBehindAnExternalPortIsAThunderboltDrive) {
    const std::string port = "pci0000:00/0000:00:07.0/0000:2c:00.0/0000:2d:01.0/0000:2e:00.0";
    addDisk(port + "/nvme/nvme1/nvme1n1", 259, 8, "0", "../../nvme1", 1);
    attribute(port + "/removable", "removable\n");
    attribute(port + "/nvme/nvme1/model", "Rugged SSD Pro\n");
    const BlockDeviceFacts ssd = facts(259, 9);
    EXPECT_EQ(hardware(ssd), "Thunderbolt external ejectable");
    EXPECT_EQ(ssd.model, "Rugged SSD Pro");
}

TEST_F(RecordedSysfs, BuiltInSdSlotHoldsARemovableCardButEmmcIsFixed) {
    const std::string slot = "pci0000:00/0000:00:14.5/mmc_host/mmc0/mmc0:aaaa";
    addDisk(slot + "/block/mmcblk0", 179, 0, "0", "../../../mmc0:aaaa", 1);
    attribute(slot + "/type", "SD\n");
    attribute(slot + "/name", "SD64G\n");
    const BlockDeviceFacts card = facts(179, 1);
    EXPECT_EQ(card.kernelName, "mmcblk0p1");
    EXPECT_EQ(hardware(card), "Secure Digital internal removable ejectable") << "the slot is built in, the card comes out";
    EXPECT_EQ(card.mediaName, "SD64G");

    const std::string emmc = "platform/fe330000.mmc/mmc_host/mmc1/mmc1:0001";
    addDisk(emmc + "/block/mmcblk1", 179, 32, "0", "../../../mmc1:0001", 1);
    attribute(emmc + "/type", "MMC\n");
    const BlockDeviceFacts soldered = facts(179, 33);
    EXPECT_EQ(hardware(soldered), "? internal");
}

TEST_F(RecordedSysfs, LoopDeviceIsADiskImage) {
    addDisk("virtual/block/loop3", 7, 3, "0");
    attribute("virtual/block/loop3/loop/backing_file", "/home/anna/card.img\n");
    const BlockDeviceFacts image = facts(7, 3);
    EXPECT_EQ(hardware(image), "Disk Image external ejectable loop");
}

TEST_F(RecordedSysfs, MappedDevicesTakeTheHardwareOfTheDiskBeneath) {
    // An encrypted SSD on USB, and an LVM volume on the internal NVMe disk: the file system sits
    // on a device-mapper device whose "slaves" link to the partition it is built on.
    const std::string usb = "pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host7/target7:0:0/7:0:0:0";
    addDisk(usb + "/block/sdc", 8, 32, "0", "../../../7:0:0:0", 1);
    attribute(usb + "/vendor", "Samsung \n");
    attribute(usb + "/model", "PSSD T7 Shield  \n");
    const std::string nvme = "pci0000:00/0000:00:1d.0/0000:03:00.0/nvme/nvme0";
    addDisk(nvme + "/nvme0n1", 259, 0, "0", "../../nvme0", 3);
    attribute(nvme + "/model", "Samsung SSD 980 PRO 1TB\n");
    const auto mapped = [&](const std::string& name, unsigned minor, const std::string& below) {
        addDisk("virtual/block/" + name, 253, minor, "0");
        const fs::path slaves = root.path() / "devices/virtual/block" / name / "slaves";
        fs::create_directories(slaves);
        const fs::path target = root.path() / "devices" / below;
        fs::create_directory_symlink(fs::relative(target, slaves), slaves / target.filename());
    };
    mapped("dm-0", 0, usb + "/block/sdc/sdc1");
    mapped("dm-1", 1, nvme + "/nvme0n1/nvme0n1p3");
    mapped("dm-2", 2, "virtual/block/dm-1");  // a volume stacked on another mapping

    const BlockDeviceFacts encrypted = facts(253, 0);
    EXPECT_EQ(encrypted.kernelName, "dm-0") << "the file system is read from the mapped device";
    EXPECT_EQ(encrypted.diskName, "dm-0");
    EXPECT_EQ(hardware(encrypted), "USB external ejectable");
    EXPECT_EQ(encrypted.vendor, "Samsung");
    EXPECT_EQ(encrypted.model, "PSSD T7 Shield");

    for (unsigned minor : {1u, 2u}) {
        const BlockDeviceFacts lvm = facts(253, minor);
        EXPECT_EQ(lvm.kernelName, "dm-" + std::to_string(minor));
        EXPECT_EQ(hardware(lvm), "PCI-Express internal") << "an LVM volume on the machine's own disk";
    }

    // A mapping whose slave went away keeps what it knows of itself.
    addDisk("virtual/block/dm-3", 253, 3, "0");
    fs::create_directories(root.path() / "devices/virtual/block/dm-3/slaves");
    fs::create_directory_symlink("../../sdz/sdz1", root.path() / "devices/virtual/block/dm-3/slaves/sdz1");
    const BlockDeviceFacts orphan = facts(253, 3);
    EXPECT_EQ(orphan.kernelName, "dm-3");
    EXPECT_FALSE(orphan.protocol.has_value());
}

TEST_F(RecordedSysfs, UnknownDevicesAndMountsWithoutOneGiveNothing) {
    addDisk("virtual/block/loop0", 7, 0, "0");
    EXPECT_FALSE(BlockDevices::facts({8, 99}, root.path()).has_value());

    MountEntry nfs;
    nfs.major = 0;
    nfs.minor = 55;
    nfs.source = "nas.local:/export";
    EXPECT_FALSE(BlockDevices::resolve(nfs, root.path()).has_value());

    MountEntry loop;
    loop.major = 7;
    loop.minor = 0;
    EXPECT_EQ(BlockDevices::resolve(loop, root.path()), (BlockDeviceNumber{7, 0}));

    // btrfs shows an anonymous device number; its source names the real block device.
    struct stat status {};
    if (::stat("/dev/loop0", &status) == 0 && S_ISBLK(status.st_mode)) {
        MountEntry btrfs;
        btrfs.major = 0;
        btrfs.minor = 58;
        btrfs.source = "/dev/loop0";
        EXPECT_EQ(BlockDevices::resolve(btrfs, root.path()), (BlockDeviceNumber{7, 0}));
    }
    MountEntry tmpfs;
    tmpfs.major = 0;
    tmpfs.source = "/dev/null";  // a character device is no volume
    EXPECT_FALSE(BlockDevices::resolve(tmpfs, root.path()).has_value());
}

TEST(BlockDeviceAttributes, AreTrimmedRepairedAndBounded) {
    TempDir dir;
    writeFile(dir / "blank", "   \n\t \n");
    writeFile(dir / "broken", "  Card\xFF Reader \n");
    writeFile(dir / "huge", std::string(1 << 20, 'x'));
    EXPECT_FALSE(BlockDevices::readAttribute(dir / "blank").has_value()) << "a model of blanks is no model";
    EXPECT_EQ(BlockDevices::readAttribute(dir / "broken"), "Card\xEF\xBF\xBD Reader");
    EXPECT_EQ(BlockDevices::readAttribute(dir / "huge")->size(), 4096u);
    EXPECT_FALSE(BlockDevices::readAttribute(dir / "missing").has_value());
}

TEST(FileSystemIdentities, NamesAndLinks) {
    EXPECT_EQ(FileSystemIdentities::platformTypeName("vfat"), "msdos");
    EXPECT_EQ(FileSystemIdentities::platformTypeName("exfat"), "exfat");
    EXPECT_EQ(FileSystemIdentities::platformTypeName("ntfs3"), "ntfs");
    EXPECT_EQ(FileSystemIdentities::platformTypeName("hfsplus"), "hfs");
    EXPECT_EQ(FileSystemIdentities::platformTypeName("EXT4"), "ext4");
    EXPECT_EQ(FileSystemIdentities::decodeHexEscapes("NO\\x20NAME\\x2fx\\xZZ\\x4"), "NO NAME/x\\xZZ\\x4");

    // Without permission to read the device, the links udev made still name it.
    TempDir dev;
    fs::create_directories(dev / "disk" / "by-uuid");
    fs::create_directories(dev / "disk" / "by-label");
    fs::create_symlink("../../sdb1", dev / "disk" / "by-uuid" / "9016-4EF8");
    fs::create_symlink("../../sdc1", dev / "disk" / "by-uuid" / "1111-2222");
    fs::create_symlink("../../sdb1", dev / "disk" / "by-label" / "A001\\x20CARD");
    const FileSystemIdentity identity = FileSystemIdentities::fromDiskLinks(dev.path(), "sdb1");
    EXPECT_EQ(identity.uuid, "9016-4EF8");
    EXPECT_EQ(identity.label, "A001 CARD");
    EXPECT_FALSE(FileSystemIdentities::fromDiskLinks(dev.path(), "sdd1").uuid.has_value());
    EXPECT_FALSE(FileSystemIdentities::probe(dev / "no-such-device").has_value());
}

}  // namespace
}  // namespace quillane
